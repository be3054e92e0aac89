#include "store/vocabulary.h"

#include "store/database.h"

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
    for (size_t i = 0; i < fields.size(); ++i) {
        std::string_view field = fields[i].name;
        if (field.size() != name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < name.size() && same; ++k) {
            char a = name[k], b = field[k];
            if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
            if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
            same = a == b;
        }
        if (same) return static_cast<int>(i);
    }
    return -1;
}

bool CreateVocabularyFile(const std::filesystem::path& file) { return Database::create(file); }

}  // namespace morvanta::store
