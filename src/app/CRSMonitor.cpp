#include "app/CRSMonitor.h"

#include "axis/PanelContext.h"
#include "base/Caption.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

int CRSMonitor::run(PanelContext& context) {
    // The panel has stopped its poll; it resumes when the main window is
    // active again.
    CRSMonitor monitor(context.link, context.op, context.parent);
    return monitor.exec();
}

CRSMonitor::CRSMonitor(SerialLink& link, Operator& op, QWidget* parent)
    : QDialog(parent), link_(link), op_(op), session_(link) {
    setObjectName(QStringLiteral("rsMonitor"));
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    commandLabel_ = new QLabel(this);
    command_ = new QComboBox(this);
    command_->setObjectName(QStringLiteral("command"));
    command_->setEditable(true);
    // The history is ours: Enter sends, it does not add entries itself.
    command_->setInsertPolicy(QComboBox::NoInsert);
    // Typing never completes to a history entry: "GA100" must not become the
    // "GA1000" sent before. The history stays in the drop-down. Nor does the
    // field cut a long paste: the command is refused whole, with a message.
    command_->setCompleter(nullptr);
    command_->setMinimumWidth(260);
    command_->installEventFilter(this);
    command_->lineEdit()->installEventFilter(this);
    commandLabel_->setBuddy(command_);

    framingLabel_ = new QLabel(this);
    framing_ = new QComboBox(this);
    framing_->setObjectName(QStringLiteral("framing"));
    framingLabel_->setBuddy(framing_);
    displayLabel_ = new QLabel(this);
    display_ = new QComboBox(this);
    display_->setObjectName(QStringLiteral("display"));
    displayLabel_->setBuddy(display_);

    replyLabel_ = new QLabel(this);
    reply_ = new QLineEdit(this);
    reply_->setObjectName(QStringLiteral("reply"));
    reply_->setReadOnly(true);
    reply_->setStyleSheet(QStringLiteral("color: black; background: white;"));

    send_ = new QPushButton(this);
    send_->setObjectName(QStringLiteral("send"));
    stop_ = new QPushButton(this);
    stop_->setObjectName(QStringLiteral("stop"));
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("close"));
    // Enter belongs to the command field: no button takes it.
    for (QPushButton* b : {send_, stop_, close_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    grid->addWidget(commandLabel_, 0, 0);
    grid->addWidget(command_, 1, 0, 1, 2);
    grid->addWidget(send_, 1, 2);
    grid->addWidget(framingLabel_, 2, 0);
    grid->addWidget(displayLabel_, 2, 1);
    grid->addWidget(stop_, 2, 2);
    grid->addWidget(framing_, 3, 0);
    grid->addWidget(display_, 3, 1);
    grid->addWidget(replyLabel_, 4, 0);
    grid->addWidget(reply_, 5, 0, 1, 2);
    grid->addWidget(close_, 5, 2);

    auto* logRow = new QHBoxLayout;
    logToggle_ = new QPushButton(this);
    logToggle_->setObjectName(QStringLiteral("logToggle"));
    logToggle_->setAutoDefault(false);
    saveLog_ = new QPushButton(this);
    saveLog_->setObjectName(QStringLiteral("saveLog"));
    saveLog_->setAutoDefault(false);
    logRow->addWidget(logToggle_);
    logRow->addStretch(1);
    logRow->addWidget(saveLog_);
    outer->addLayout(logRow);
    logView_ = new QPlainTextEdit(this);
    logView_->setObjectName(QStringLiteral("sessionLog"));
    logView_->setReadOnly(true);
    logView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    logView_->setFont(QFont(QStringLiteral("monospace")));
    logView_->setMinimumHeight(220);
    outer->addWidget(logView_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(send_, &QPushButton::clicked, this, &CRSMonitor::sendMonitorCommand);
    connect(stop_, &QPushButton::clicked, this, &CRSMonitor::stopAxis);
    connect(close_, &QPushButton::clicked, this, &CRSMonitor::reject);
    connect(logToggle_, &QPushButton::clicked, this, [this] { setLogVisible(!logVisible()); });
    connect(saveLog_, &QPushButton::clicked, this, &CRSMonitor::askAndSaveLog);

    retranslate();
    const RsMonitor::Choices choices = RsMonitor::loadChoices();
    framing_->setCurrentIndex(choices.framingIndex);
    display_->setCurrentIndex(choices.displayIndex);
    // The dialog opens as its layout gives it; the log is there on demand.
    setLogVisible(false);
    command_->setFocus();
}

void CRSMonitor::retranslate() {
    setWindowTitle(Texts::text(10000) + link_.currentAddress() + Texts::text(10144));
    commandLabel_->setText(Texts::text(10131));
    framingLabel_->setText(Texts::text(10132));
    replyLabel_->setText(Texts::text(10133));
    displayLabel_->setText(Texts::text(10134));
    send_->setText(Texts::text(10135));
    stop_->setText(Texts::text(10136));
    close_->setText(Texts::text(10030));
    saveLog_->setText(Texts::text("rsmon.saveLog"));
    framing_->clear();
    for (int i = 0; i < 4; ++i)
        framing_->addItem(Texts::text(RsMonitor::framingTextId(i)));
    display_->clear();
    for (int i = 0; i < 3; ++i)
        display_->addItem(Texts::text(RsMonitor::displayTextId(i)));
}

void CRSMonitor::sendMonitorCommand() {
    const QString text = command_->currentText();
    const RsMonitor::TypedCommand typed = RsMonitor::commandFromTyped(text);
    if (!typed.accepted()) {
        op_.show({0, typed.refusal, 0, Operator::Icon::Exclamation, Operator::Buttons::Ok});
        command_->setFocus();
        return;
    }
    const QString shown =
        session_.send(typed.command, framing_->currentIndex(), display_->currentIndex());
    reply_->setText(shown);
    // The list shows the session's history, newest first; the text just sent
    // stays in the field, selected, so that typing replaces it.
    command_->clear();
    command_->addItems(session_.history());
    command_->setCurrentIndex(-1);
    command_->setEditText(text);
    command_->lineEdit()->selectAll();
    appendLastEntry();
}

void CRSMonitor::stopAxis() {
    session_.stop();
    appendLastEntry();
}

void CRSMonitor::appendLastEntry() {
    const auto& log = session_.log();
    if (!log.isEmpty())
        logView_->appendPlainText(RsMonitor::formatEntry(log.back()));
}

bool CRSMonitor::logVisible() const {
    return !logView_->isHidden();
}

void CRSMonitor::setLogVisible(bool visible) {
    logView_->setVisible(visible);
    saveLog_->setVisible(visible);
    logToggle_->setText(Texts::text(visible ? "rsmon.hideLog" : "rsmon.showLog"));
}

bool CRSMonitor::saveLog(const QString& path) {
    QString error;
    if (session_.saveLog(path, &error))
        return true;
    op_.show({0, Texts::text("file.saveFailed").arg(error), 0, Operator::Icon::Exclamation,
              Operator::Buttons::Ok});
    return false;
}

void CRSMonitor::askAndSaveLog() {
    QString path = QFileDialog::getSaveFileName(this, Caption::plain(Texts::text("rsmon.saveLog")),
                                                QString(), QStringLiteral("*.txt"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    saveLog(path);
}

void CRSMonitor::reject() {
    RsMonitor::storeChoices({framing_->currentIndex(), display_->currentIndex()});
    QDialog::reject();
}

bool CRSMonitor::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == command_ || watched == command_->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            sendMonitorCommand();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CRSMonitor::keyPressEvent(QKeyEvent* event) {
    // Enter elsewhere in the dialog does nothing; Escape closes as the close
    // button does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
