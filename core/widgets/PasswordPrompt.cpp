#include "core/widgets/PasswordPrompt.h"

#include "platform/forms/PictureBox.h"
#include "platform/text/Windows1252Validator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PasswordPrompt::PasswordPrompt()
{
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    Image1 = new PictureBox(QStringLiteral(":/pictures/login.svg"), this);
    Image1->setFixedSize(64, 64);
    lblMsg = new QLabel(QStringLiteral("Enter Password"), this);
    Password = new QLineEdit(this);
    Password->setEchoMode(QLineEdit::Password);
    Password->setMaxLength(8);
    // The password file holds single bytes: a character it cannot hold is refused as it is typed.
    Password->setValidator(new Windows1252Validator(Password));
    Accept = new QPushButton(QStringLiteral("OK"), this);
    setDefaultButton(Accept);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    setCancelButton(cmdCancel);

    auto* entry = new QVBoxLayout;
    entry->addWidget(lblMsg);
    entry->addWidget(Password);
    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(entry, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(Accept);
    m_buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(m_buttons);

    connect(Accept, &QPushButton::clicked, this, [this] { accept(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cancel(); });
}

void PasswordPrompt::retry()
{
    Password->clear();
    Password->setFocus();
}
