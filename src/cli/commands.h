#pragma once
// The commands; each returns the program's exit code.

#include "cli/arguments.h"

namespace morvanta::cli {

int RunAdd(const Arguments& args);
int RunSearch(const Arguments& args);
int RunImport(const Arguments& args);
int RunExport(const Arguments& args);
int RunQuiz(const Arguments& args);
int RunCheck(const Arguments& args);
int RunBackup(const Arguments& args);
int RunStats(const Arguments& args);
int RunDue(const Arguments& args);
int RunFsrs(const Arguments& args);
int RunMark(const Arguments& args);
int RunUnmark(const Arguments& args);
int RunDelete(const Arguments& args);
int RunEdit(const Arguments& args);

}  // namespace morvanta::cli
