#include "core/quiz/selection_sql.h"

#include "store/date_time.h"

namespace morvanta::quiz {

std::string ShortDate(const CalendarDate& date) {
    return store::DateTime{date.year, date.month, date.day}.shortDate();
}

std::string BuildSelectionSql(const SelectionCriteria& c) {
    // Every piece ends in AND; the closing 1=1 makes any subset valid.
    std::string sql = "SELECT * FROM Vokabel WHERE ";
    if (c.QCAge) sql += " DateEntered < \"" + ShortDate(c.ageDate) + "\" AND";
    if (c.QCLesson) sql += " Lesson = " + std::to_string(c.lesson) + " AND";
    if (c.QCRatio) sql += " NumberAsked * " + c.ratioText + " < NumberWrong AND";
    if (c.QCtype) sql += " type = \"" + c.typeText + "\" AND";
    if (c.QCAsked) sql += " DateAsked < \"" + ShortDate(c.askedDate) + "\" AND";
    sql += " 1=1;";
    return sql;
}

std::string ExecReport(const store::ExecResult& result) {
    const char* done = result.kind == store::StatementKind::Insert   ? "eingefügt"
                       : result.kind == store::StatementKind::Delete ? "gelöscht"
                                                                     : "geändert";
    const char* words = result.changed == 1 ? " Vokabel " : " Vokabeln ";
    return "SQL ausgeführt: " + std::to_string(result.changed) + words + done + ".";
}

}  // namespace morvanta::quiz
