#include "exchange/xml_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/fonts.h"
#include "platform/services.h"

namespace morvanta::exchange {

namespace {
// The login name is asked for with room for 254 characters and a terminating zero.
constexpr int kLoginNameRoom = 254;
}  // namespace

TXMLForm::TXMLForm(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("XMLForm"));
    setWindowTitle(QStringLiteral("XML Export"));
    setFont(platform::UiFont(11));
    setSizeGripEnabled(true);
    setMinimumSize(244, 234);
    resize(244, 277);

    auto* creatorLabel = new QLabel(QStringLiteral("Erstellername:"), this);
    TntEdit1 = new QLineEdit(this);
    TntEdit1->setObjectName(QStringLiteral("TntEdit1"));
    creatorLabel->setBuddy(TntEdit1);
    TntCheckBox1 = new QCheckBox(QStringLiteral("Datumsangaben mit einbeziehen"), this);
    TntCheckBox1->setObjectName(QStringLiteral("TntCheckBox1"));
    TntCheckBox2 = new QCheckBox(QStringLiteral("Statistiken einfügen"), this);
    TntCheckBox2->setObjectName(QStringLiteral("TntCheckBox2"));
    auto* descLabel = new QLabel(QStringLiteral("Dateibeschreibung:"), this);
    desc = new QPlainTextEdit(this);
    desc->setObjectName(QStringLiteral("desc"));
    descLabel->setBuddy(desc);
    TntButton1 = new QPushButton(QStringLiteral("OK"), this);
    TntButton1->setObjectName(QStringLiteral("TntButton1"));
    TntButton1->setDefault(true);
    TntButton2 = new QPushButton(QStringLiteral("Abbrechen"), this);
    TntButton2->setObjectName(QStringLiteral("TntButton2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(TntButton1);
    buttons->addWidget(TntButton2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(creatorLabel);
    layout->addWidget(TntEdit1);
    layout->addWidget(TntCheckBox1);
    layout->addWidget(TntCheckBox2);
    layout->addWidget(descLabel);
    layout->addWidget(desc, 1);
    layout->addLayout(buttons);

    setTabOrder(TntEdit1, TntCheckBox1);
    setTabOrder(TntCheckBox1, TntCheckBox2);
    setTabOrder(TntCheckBox2, desc);
    setTabOrder(desc, TntButton1);
    setTabOrder(TntButton1, TntButton2);
    desc->setTabChangesFocus(true);

    connect(TntButton1, &QPushButton::clicked, this, &TXMLForm::TntButton1Click);
    connect(TntButton2, &QPushButton::clicked, this, &TXMLForm::TntButton2Click);
    FormCreate();
}

void TXMLForm::FormCreate() {
    const QString login = platform::LoginName();
    TntEdit1->setText(login.size() <= kLoginNameRoom ? login : QString());
}

void TXMLForm::TntButton1Click() { done(QDialog::Accepted); }

void TXMLForm::TntButton2Click() { done(QDialog::Rejected); }

XmlExportOptions TXMLForm::options() const {
    return {desc->toPlainText(), TntCheckBox1->isChecked(), TntCheckBox2->isChecked()};
}

}  // namespace morvanta::exchange
