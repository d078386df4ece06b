#include "app/Splashform.h"

#include "platform/ProgramFolders.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TSplashform::TSplashform(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("Splashform");
    setWindowTitle("About Mervane");
    setFixedSize(434, 236);

    auto* logo = new QLabel(this);
    logo->setObjectName("Logo");
    const QPixmap picture(ResourceFolder() + "logo.svg");
    logo->setPixmap(picture.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto* name = new QLabel("Mervane", this);
    name->setObjectName("NameLabel");
    QFont big("Arial", 20, QFont::Bold);
    name->setFont(big);
    m_VersionLabel = new QLabel("Version 3.1c", this);
    m_VersionLabel->setObjectName("VersionLabel");
    m_BitsLabel = new QLabel(sizeof(void*) == 8 ? "64-bit version" : "32-bit version", this);
    m_BitsLabel->setObjectName("BitsLabel");
    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(m_VersionLabel);
    text->addWidget(m_BitsLabel);
    text->addStretch();
    text->addWidget(ok, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(logo);
    layout->addLayout(text, 1);
}
