#include "support/reference_ask_queue.h"

#include <cstdio>

#include "core/quiz/random_source.h"

namespace morvanta::reference {

namespace {
std::string Entry(int recNo) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(recNo));
    return buffer;
}
}  // namespace

void InsertEntry(std::string& askQueue, int position, int recNo) {
    const std::size_t at = static_cast<std::size_t>(position < 0 ? 0 : position) * 4;
    askQueue.insert(at < askQueue.size() ? at : askQueue.size(), Entry(recNo));
}

void TakeHead(std::string& askQueue) { askQueue.erase(0, 4); }

std::string BuildRandomAskQueue(int count, quiz::RandomSource& random) {
    std::string askQueue;
    for (int i = 1; i <= count; ++i) InsertEntry(askQueue, random.random(i + 1), i);
    return askQueue;
}

}  // namespace morvanta::reference
