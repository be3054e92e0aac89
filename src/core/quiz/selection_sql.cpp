#include "core/quiz/selection_sql.h"

#include "store/date_time.h"
#include "text/quoted.h"

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

std::string ChangeQuestion(const store::ChangeCounts& counts) {
    return std::to_string(counts.changed) + " Vokabeln werden geändert, " +
           std::to_string(counts.inserted) + " eingefügt, " + std::to_string(counts.deleted) +
           " gelöscht. Fortfahren?";
}

std::string ExecReport(const store::ExecResult& result) {
    const store::ChangeCounts& c = result.counts;
    if (!c.any()) return "SQL ausgeführt: keine Vokabel verändert.";
    std::string done;
    for (const auto& [count, what] : {std::pair{c.changed, "geändert"}, std::pair{c.inserted, "eingefügt"},
                                      std::pair{c.deleted, "gelöscht"}}) {
        if (count == 0) continue;
        done += done.empty() ? std::to_string(count) + (count == 1 ? " Vokabel " : " Vokabeln ")
                             : ", " + std::to_string(count) + " ";
        done += what;
    }
    std::string report = "SQL ausgeführt: " + done + ".";
    if (!result.copyBefore.empty())
        report += " Die Vokabeln, wie sie vorher waren, liegen in " +
                  text::Quoted(result.copyBefore.string()) + ".";
    return report;
}

}  // namespace morvanta::quiz
