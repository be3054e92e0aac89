#pragma once
// Data-aware controls: each shows one field of its data source's current
// record, puts the data set into edit state when typed into and writes the
// typed text into the record (on leaving the control, or when the data source
// asks with updateRecord() before a post).

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "store/data_set.h"

class QPushButton;

namespace morvanta::platform {

// Shared binding logic: which source and field, subscription, pending input,
// guarded writes. The control supplies how to show and how to read its text.
class FieldLink {
public:
    FieldLink(store::DataSource& source, QString field, Dialogs& dialogs);
    ~FieldLink();
    FieldLink(const FieldLink&) = delete;
    FieldLink& operator=(const FieldLink&) = delete;

    store::DataSource& source() const { return source_; }
    const QString& field() const { return field_; }
    store::DataSet* dataSet() const { return source_.dataSet(); }
    bool hasRecord() const;          // active and positioned on a record
    QString text() const;            // field as text, empty without record
    std::string raw() const;         // field as raw text bytes
    bool startEdit();                // browse -> edit; false (and reported) on failure
    bool write(const QString& text); // setAsString; false (and reported) on failure
    bool writeRaw(const std::string& bytes);
    void put(const QString& text);           // setAsString; throws on failure
    void putRaw(const std::string& bytes);   // the field's bytes as they are; throws
    Dialogs& dialogs() const { return dialogs_; }

    // The user changed the control: enters edit state and marks the input
    // pending. False when the data set cannot be edited; the control then shows
    // the field again. A change while reload() shows the field is the control's
    // own and ignored, so a control may pass on every change signal.
    bool userEdited();
    bool modified() const { return modified_; }
    // Writes pending input (reported on failure, input kept); for focus loss.
    void commitPending();
    // Shows the field again, dropping pending input; also a control's first showing.
    void reload();

    std::function<void()> onReload;         // show the field again
    std::function<void()> onUpdate;         // write pending input; throws on failure

private:
    void handle(store::DataEvent event);
    bool editing() const;

    store::DataSource& source_;
    QString field_;
    std::string fieldName_;
    Dialogs& dialogs_;
    int token_ = 0;
    bool modified_ = false;
    bool reloading_ = false;  // inside onReload: changes are not the user's
    bool refused_ = false;    // the pending input was refused and reported; not again until changed
};

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    DBEdit(store::DataSource& source, const QString& field, Dialogs& dialogs,
           QWidget* parent = nullptr);
    FieldLink& link() { return link_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void updateRecord();
    FieldLink link_;
};

// Checked stores "True", unchecked "False".
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    DBCheckBox(store::DataSource& source, const QString& field, Dialogs& dialogs,
               const QString& caption, QWidget* parent = nullptr);
    FieldLink& link() { return link_; }

private:
    void reload();
    void toggledByUser(bool checked);
    FieldLink link_;
};

// A rich-text field (RTF with Shift-JIS escapes) shown as its text; edits are
// saved back as an RTF document. setReadOnly(true) gives the read-only view.
class DBRichEdit : public QTextEdit {
    Q_OBJECT
public:
    DBRichEdit(store::DataSource& source, const QString& field, Dialogs& dialogs,
               QWidget* parent = nullptr);
    FieldLink& link() { return link_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void updateRecord();
    FieldLink link_;
};

// A plain multi-line text field (the Hepburn editor).
class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    DBMemo(store::DataSource& source, const QString& field, Dialogs& dialogs,
           QWidget* parent = nullptr);
    FieldLink& link() { return link_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void reload();
    void updateRecord();
    FieldLink link_;
};

// Record navigator: first, prior, next, last, delete ("Delete record?"), post, cancel, refresh.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Delete, Post, Cancel, Refresh };
    DBNavigator(store::DataSource& source, Dialogs& dialogs, QWidget* parent = nullptr);
    ~DBNavigator() override;
    QPushButton* button(Button b) const { return buttons_[b]; }
    // Runs a button's action (reported through the dialogs on failure).
    void click(Button b);

private:
    void act(Button b);
    void postPending(store::DataSet& dataSet);
    void updateButtons();
    store::DataSource& source_;
    Dialogs& dialogs_;
    QPushButton* buttons_[8]{};
    int token_ = 0;
};

}  // namespace morvanta::platform
