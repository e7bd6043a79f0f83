#include "cli/CliContext.h"
#include "base/MessageIds.h"

#include "base/Texts.h"
#include "link/LinkSettings.h"
#include "link/NetworkPort.h"
#include "link/PortDiscovery.h"
#include "link/ProbeAxis.h"
#ifdef KORMAK_WITH_SIMULATOR
#include "sim/SimHost.h"
#endif

#include <QFile>
#include <QJsonDocument>
#include <cerrno>
#include <cstdio>

namespace {} // namespace

int CliContext::portIndexOf(const QString& port) const {
    // The port list names a system port by its name and drops the "/dev/"
    // path of it, as the program's list does.
    const QString name = port.trimmed();
    int index = int(link.ports().indexOf(name));
    if (index < 0 && name.startsWith(QLatin1String("/dev/")))
        index = int(link.ports().indexOf(name.mid(5)));
    return index;
}

CliContext::CliContext() : link(op) {
    op.detail = [this](const Operator::Message& m) { return timeoutDetail(m); };
}

CliContext::~CliContext() {
    if (link.portOpen())
        link.TogglePort();
}

bool CliContext::openPort() {
    QStringList extra;
    QString wanted;
    if (portArg.isEmpty()) {
        extra = LinkSettings::rememberedPorts();
#ifdef KORMAK_WITH_SIMULATOR
    } else if (portArg == QLatin1String("sim")) {
        wanted = SerialLink::simulatorEntry();
#endif
    } else {
        extra << portArg;
        wanted = portArg;
    }
    if (wanted.trimmed().startsWith(u'/') || looksLikeNetworkPort(wanted)) {
        // A device path or a network port opens as it is: asking the system
        // for all its ports would only cost start-up time.
        link.setPorts(QStringList{wanted.trimmed()});
    } else {
        link.setPorts(DiscoverPorts(extra));
    }
    const int index = wanted.isEmpty() ? LinkSettings::activeCom() : portIndexOf(wanted);
    if (index < 0) {
        // Never another port in place of the one asked for.
        op.error(MessageId::PortNotOpened);
        return false;
    }
    link.setPortIndex(index);
    link.setBaudIndex(baudIndex >= 0 ? baudIndex : LinkSettings::baud());
#ifdef KORMAK_WITH_SIMULATOR
    link.setSimulatorProvider([this]() -> QString {
        if (!simulator_) {
            auto host = std::make_unique<sim::SimHost>();
            // What kormak-sim --log prints, appended to a file: scripts and tests see what
            // the simulated axes received and refused.
            const QByteArray logPath = qgetenv("KORMAK_SIM_LOG");
            if (!logPath.isEmpty() && !simulatorLog_)
                simulatorLog_.reset(std::fopen(logPath.constData(), "a"));
            if (simulatorLog_)
                host->setLogStream(simulatorLog_.get());
            if (!host->start())
                return {};
            simulator_ = std::move(host);
        }
        return simulator_->slavePath();
    });
#endif
    if (!link.portOpen() && !link.TogglePort()) {
        link.reportOpenFailure(op);
        return false;
    }
    return true;
}

bool CliContext::connectAxis(const QString& address) {
    if (!openPort())
        return false;
    link.setCurrentAddress(address);
    if (portArg.isEmpty() || baudIndex >= 0)
        return true;
    return probe();
}

bool CliContext::probe() {
    probing_ = true;
    const bool answered = ProbeAxis(link);
    probing_ = false;
    return answered;
}

QString CliContext::noReplyText() const {
    return Texts::text("cli.noReply")
        .arg(link.currentAddress())
        .arg(SerialLink::baudRateOf(link.baudIndex()));
}

QString CliContext::timeoutDetail(const Operator::Message& m) const {
    if (m.icon != Operator::Icon::Error)
        return {};
    if (probing_) {
        // The probe has asked at every rate of the list.
        if (m.textId != MessageId::NoReply)
            return {};
        QStringList rates;
        for (int i = 0; i < SerialLink::baudEntries().size(); ++i)
            rates << QString::number(SerialLink::baudRateOf(i));
        return Texts::text("cli.noReply")
            .arg(link.currentAddress(), rates.join(QLatin1String(", ")));
    }
    return link.lastTimedOut() ? noReplyText() : QString();
}

void CliContext::setWords(int argc, char** argv) {
    words_.clear();
    undecodable_.clear();
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        QString word = QFile::decodeName(raw);
        if (QFile::encodeName(word) != raw) {
            // U+FFFF is a noncharacter, which nobody types into a command line.
            word = QChar(0xFFFF) + QString::number(i) + QChar(0xFFFF) + word;
            undecodable_.insert(word, raw);
        }
        words_ << word;
    }
}

QByteArray CliContext::rawWord(const QString& word) const {
    const auto it = undecodable_.constFind(word);
    return it != undecodable_.cend() ? *it : QFile::encodeName(word);
}

int usageError(const QString& text, const char* command) {
    const QByteArray help =
        command ? QByteArray("kormakctl ") + command + " --help" : QByteArray("kormakctl --help");
    std::fprintf(stderr, "kormakctl: %s\nTry '%s'.\n", text.toLocal8Bit().constData(),
                 help.constData());
    return ExitUsage;
}

namespace {

// The first error writing standard output; 0 while there was none.
int outputError = 0;

void noteOutputError() {
    if (outputError == 0)
        outputError = errno != 0 ? errno : EIO;
}

} // namespace

void printText(const QString& text) {
    errno = 0;
    if (std::fputs(text.toLocal8Bit().constData(), stdout) == EOF || std::fflush(stdout) != 0)
        noteOutputError();
}

void printLine(const QString& text) {
    printText(text + QLatin1Char('\n'));
}

int standardOutputError() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        noteOutputError();
    return outputError;
}

void printJson(const QJsonObject& object) {
    printText(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) +
              QLatin1Char('\n'));
}

QString fileErrorText(int textId, const QString& reason) {
    const QString text = Texts::text(textId);
    return reason.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, reason);
}

void printFileError(const QByteArray& name, const QString& text) {
    std::fputs("kormakctl: ", stderr);
    std::fwrite(name.constData(), 1, size_t(name.size()), stderr);
    std::fprintf(stderr, ": %s\n", text.toLocal8Bit().constData());
}
