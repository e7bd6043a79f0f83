#include "drive/CSFIDialog.h"

#include "axis/PanelContext.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "drive/SfiCard.h"
#include "link/SerialLink.h"
#include "widgets/CWait.h"
#include "widgets/WaitCursor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

// The wait cursor for a scope, restored on every way out.
QRadioButton* radio(const QString& text, const char* name, QWidget* parent) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

} // namespace

int CSFIDialog::run(PanelContext& context) {
    CSFIDialog dialog(context.link, context.op, context.parent);
    if (!dialog.start())
        return Rejected;
    return dialog.exec();
}

CSFIDialog::CSFIDialog(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op), dirs_(SfiCard::searchDirectories()) {
    setObjectName(QStringLiteral("CSFIDialog"));
    setModal(true);
    setWindowTitle(Texts::text(10000) + link_.currentAddress() + Texts::text(10145));

    auto* config = new QGroupBox(Texts::text(10146), this);
    auto* grid = new QGridLayout(config);
    // The captions carry mnemonics that move to the first radio of their row.
    auto caption = [config](int textId, QWidget* buddy) {
        auto* label = new QLabel(Texts::text(textId), config);
        label->setBuddy(buddy);
        return label;
    };
    plus_ = radio(Texts::text(10148), "directionPlus", config);
    minus_ = radio(Texts::text(10149), "directionMinus", config);
    grid->addWidget(caption(10147, plus_), 0, 0);
    grid->addWidget(plus_, 0, 1);
    grid->addWidget(minus_, 0, 2);
    steps200_ = radio(QStringLiteral("200"), "steps200", config);
    grid->addWidget(caption(10150, steps200_), 1, 0);
    steps500_ = radio(QStringLiteral("500"), "steps500", config);
    grid->addWidget(steps200_, 1, 1);
    grid->addWidget(steps500_, 1, 2);
    static const char* const encoderNames[4] = {"encoder50", "encoder500", "encoder1000",
                                                "encoder200"};
    for (int i = 0; i < 4; ++i)
        encoder_[i] =
            radio(QStringLiteral("%1'").arg(SfiCard::EncoderLines[i]), encoderNames[i], config);
    // On screen in rising order: 50, 200, 500, 1000.
    const int screenOrder[4] = {0, 3, 1, 2};
    grid->addWidget(caption(10151, encoder_[0]), 2, 0);
    for (int col = 0; col < 4; ++col)
        grid->addWidget(encoder_[screenOrder[col]], 2, 1 + col);
    programButton_ = new QPushButton(Texts::text(10152), config);
    programButton_->setObjectName(QStringLiteral("programButton"));
    grid->addWidget(programButton_, 3, 0, 1, 5, Qt::AlignRight);

    auto exclusive = [this](std::initializer_list<QRadioButton*> radios) {
        auto* group = new QButtonGroup(this);
        for (QRadioButton* r : radios)
            group->addButton(r);
        return group;
    };
    configuration_ = {exclusive({plus_, minus_}), exclusive({steps200_, steps500_}),
                      exclusive({encoder_[0], encoder_[1], encoder_[2], encoder_[3]})};

    auto* status = new QGroupBox(Texts::text(10153), this);
    auto* statusLayout = new QHBoxLayout(status);
    active_ = radio(Texts::text(10154), "activated", status);
    inactive_ = radio(Texts::text(10155), "deactivated", status);
    exclusive({active_, inactive_});
    resetButton_ = new QPushButton(Texts::text(10156), status);
    resetButton_->setObjectName(QStringLiteral("resetButton"));
    statusLayout->addWidget(active_);
    statusLayout->addWidget(inactive_);
    statusLayout->addStretch(1);
    statusLayout->addWidget(resetButton_);

    auto* close = new QPushButton(Texts::text(10030), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(config);
    layout->addWidget(status);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(active_, &QRadioButton::clicked, this, [this] { SfiCard::setActive(link_, true); });
    connect(inactive_, &QRadioButton::clicked, this, [this] { SfiCard::setActive(link_, false); });
    connect(programButton_, &QPushButton::clicked, this, &CSFIDialog::programClicked);
    connect(resetButton_, &QPushButton::clicked, this, &CSFIDialog::resetClicked);
}

bool CSFIDialog::start() {
    const std::optional<SfiCard::State> state = SfiCard::readState(link_, op_);
    if (!state)
        return false;
    (state->active ? active_ : inactive_)->setChecked(true);
    const SfiCard::ReadConfiguration& c = state->configuration;
    // A card without a configuration ("FF") shows none: the operator chooses
    // one before programming rather than taking what the radios last showed.
    for (QButtonGroup* group : configuration_)
        clearChoice(group);
    if (!c.known)
        return true;
    (c.steps500 ? steps500_ : steps200_)->setChecked(true);
    (c.minus ? minus_ : plus_)->setChecked(true);
    if (c.encoderIndex >= 0)
        encoder_[c.encoderIndex]->setChecked(true);
    return true;
}

void CSFIDialog::clearChoice(QButtonGroup* group) {
    // An exclusive group keeps one button checked; it lets go only while not
    // exclusive.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

bool CSFIDialog::configurationChosen() const {
    for (const QButtonGroup* group : configuration_)
        if (!group->checkedButton())
            return false;
    return true;
}

void CSFIDialog::programClicked() {
    // The program file is chosen by the configuration: without one of each
    // there is no file to send.
    if (!configurationChosen()) {
        op_.show({0, Texts::text("sfi.chooseFirst"), 0, Operator::Icon::Exclamation,
                  Operator::Buttons::Ok});
        return;
    }
    if (op_.ask(10157, Operator::Buttons::YesNo, Operator::Icon::Question) != Operator::Answer::Yes)
        return;
    BusyGuard busy;
    // Events are pumped between records: no click may start a second run or
    // switch the card meanwhile.
    const QList<QAbstractButton*> controls = findChildren<QAbstractButton*>();
    for (QAbstractButton* b : controls)
        b->setEnabled(false);
    const auto enableAgain = qScopeGuard([&] {
        for (QAbstractButton* b : controls)
            b->setEnabled(true);
    });
    SfiCard::Configuration c;
    c.steps500 = !steps200_->isChecked();
    c.minus = !plus_->isChecked();
    for (int i = 0; i < 4; ++i)
        if (encoder_[i]->isChecked())
            c.encoderIndex = i;
    {
        WaitCursor cursor;
        if (SfiCard::program(link_, op_, c, dirs_) != SfiCard::Outcome::Programmed)
            return;
        CWait wait(op_, this);
        wait.timedMode = true;
        wait.caption = Texts::text(10162);
        wait.text = Texts::text(10163);
        wait.seconds = ProgrammingSeconds;
        if (waitRunner_)
            waitRunner_(wait);
        else
            wait.exec();
        // The dialog shows what the card holds now; a card that no longer
        // answers closes it, as opening it would not have shown it.
        if (!start()) {
            reject();
            return;
        }
    }
    op_.inform(10161);
}

void CSFIDialog::resetClicked() {
    // The question names what is reset: the SFI card, not the axis.
    const QString question = Texts::text("sfi.resetQuestion").arg(link_.currentAddress());
    if (op_.show({0, question, 0, Operator::Icon::Question, Operator::Buttons::YesNo}) !=
        Operator::Answer::Yes)
        return;
    SfiCard::clearError(link_);
}
