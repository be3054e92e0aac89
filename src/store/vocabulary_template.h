#pragma once
// The empty table shipped with the program, copied to where a learner keeps
// their words.

#include <filesystem>

namespace morvanta::store {

// Copies templateFile to file, whole or not at all. Like CreateVocabularyFile it
// never touches an existing file: returns false when file was already there
// (also when it appears while copying). Throws EngineError.
bool CopyVocabularyTemplate(const std::filesystem::path& templateFile,
                            const std::filesystem::path& file);

}  // namespace morvanta::store
