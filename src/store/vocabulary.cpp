#include "store/vocabulary.h"

#include "store/database.h"
#include "store/text_fold.h"

namespace morvanta::store {

const std::array<FieldDef, 16>& VocabularyFields() {
    static const std::array<FieldDef, 16> fields = {{
        {"Translation1", FieldKind::Text},
        {"Translation2", FieldKind::Text},
        {"Translation3", FieldKind::Text},
        {"Hepburn", FieldKind::Text},
        {"Kanji", FieldKind::Memo},
        {"Hira-Kata", FieldKind::Memo},
        {"Accent", FieldKind::Integer},
        {"Note", FieldKind::Text},
        {"DateEntered", FieldKind::DateTime},
        {"DateAsked", FieldKind::DateTime},
        {"NumberAsked", FieldKind::Integer},
        {"NumberWrong", FieldKind::Integer},
        {"Marked", FieldKind::Logical},
        {"Type", FieldKind::Text},
        {"CardPrinted", FieldKind::Logical},
        {"Lesson", FieldKind::Integer},
    }};
    return fields;
}

int FieldIndex(std::string_view name) {
    const auto& fields = VocabularyFields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (SameAsciiName(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

bool CreateVocabularyFile(const std::filesystem::path& file) { return Database::create(file); }

}  // namespace morvanta::store
