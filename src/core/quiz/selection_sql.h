#pragma once
// The selection statement built from the ticked criteria of the selection page.

#include <string>

#include "store/data_set.h"

namespace morvanta::quiz {

struct CalendarDate {
    int year = 2007, month = 1, day = 1;
};

struct SelectionCriteria {
    bool QCAge = false;
    CalendarDate ageDate;  // DateEntered before
    bool QCLesson = false;
    int lesson = 1;
    bool QCRatio = false;
    std::string ratioText;  // the masked edit's text, unchanged (" .   " when empty)
    bool QCtype = false;
    std::string typeText;  // the shown type word, empty when none is chosen
    bool QCAsked = false;
    CalendarDate askedDate;  // DateAsked before
};

// German short date "dd.MM.yyyy".
std::string ShortDate(const CalendarDate& date);

// "SELECT * FROM Vokabel WHERE " + one piece per ticked criterion in a fixed order + " 1=1;".
std::string BuildSelectionSql(const SelectionCriteria& criteria);

// Asked before an own statement's change is kept: "n Vokabeln werden geändert,
// m eingefügt, k gelöscht. Fortfahren?"
std::string ChangeQuestion(const store::ChangeCounts& counts);

// What an own statement that changed words did: "SQL ausgeführt: 12 Vokabeln
// geändert." and where the copy from before lies.
std::string ExecReport(const store::ExecResult& result);

}  // namespace morvanta::quiz
