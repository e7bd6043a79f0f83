#include "app/AboutDialog.h"

#include "base/Texts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(Texts::text(10264));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(QStringLiteral(":/kormak.png")));
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    auto* name = new QLabel(
        QStringLiteral("Kormak Version %1").arg(QCoreApplication::applicationVersion()), this);
    name->setObjectName(QStringLiteral("versionLabel"));
    text->addWidget(name);
    auto* maker = new QLabel(Texts::text("about.maker"), this);
    maker->setWordWrap(true);
    text->addWidget(maker);
    top->addLayout(text, 1);
    layout->addLayout(top);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
