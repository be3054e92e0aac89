#include "cli/program_folder.h"

#include "cli/cli_error.h"
#include "store/system_reason.h"

namespace morvanta::cli {

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        throw Refusal("Der Programmordner lässt sich nicht bestimmen: " +
                      store::SystemReason(ec.value()));
    return self.parent_path();
}

}  // namespace morvanta::cli
