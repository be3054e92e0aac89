#pragma once
// The quiz queue done literally on its text form: every insert and every
// take-off copies the string. Kept as the yardstick for the fast queue.

#include <string>

namespace morvanta::quiz {
class RandomSource;
}  // namespace morvanta::quiz
namespace morvanta::reference {

// For i = 1 .. count: insert the entry of i before entry Random(i + 1).
std::string BuildRandomAskQueue(int count, quiz::RandomSource& random);
// Inserts the four-digit entry before entry `position` (at or past the end appends).
void InsertEntry(std::string& askQueue, int position, int recNo);
// Deletes the first four characters.
void TakeHead(std::string& askQueue);

}  // namespace morvanta::reference
