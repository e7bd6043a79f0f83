#include "files/MachineBackup.h"

#include "axis/AxisReading.h"
#include "base/BusyState.h"
#include "base/FileIo.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"
#include "link/DeviceFamily.h"
#include "link/ProbeAxis.h"
#include "link/SerialLink.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace MachineBackup {

namespace {

const QString kAxisDigits = QStringLiteral("0123456789ABCDEF");
// A manifest lists sixteen axes; a file far larger is not one.
constexpr qint64 MaxManifestBytes = 256 * 1024;

QByteArray pathIn(const QByteArray& folder, const QString& name) {
    QByteArray path = folder;
    if (!path.endsWith('/'))
        path += '/';
    return path + QFile::encodeName(name);
}

bool probeWith(SerialLink& link, const std::function<bool()>& probe, bool quietly) {
    if (probe)
        return probe();
    return quietly ? ProbeAxisQuietly(link) : ProbeAxis(link);
}

// A name inside the folder itself: no directory part, not "." or "..".
bool plainFileName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') &&
           name != QLatin1String(".") && name != QLatin1String("..");
}

// The transfer's closing summary names the axes it loaded; a restore says
// that itself, one line per axis, so the summary is not shown as well.
class WithoutSummary : public ForwardingOperator {
public:
    using ForwardingOperator::ForwardingOperator;
    Answer show(const Message& m) override {
        if (m.icon == Icon::Information && m.buttons == Buttons::Ok)
            return Answer::Ok;
        return ForwardingOperator::show(m);
    }
};

} // namespace

QString axisFileName(QChar address) {
    return QStringLiteral("AXIS") + address.toUpper() + QStringLiteral(".OPM");
}

QString deviceFamily(const QString& deviceType) {
    return DeviceFamily(deviceType).code();
}

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QByteArray manifestJson(const Manifest& manifest) {
    QJsonArray axes;
    for (const AxisEntry& e : manifest.axes) {
        QJsonObject axis{{QStringLiteral("address"), QString(e.address)},
                         {QStringLiteral("present"), e.present}};
        if (e.present) {
            axis.insert(QStringLiteral("rate"), e.rate);
            axis.insert(QStringLiteral("deviceType"), e.deviceType);
            axis.insert(QStringLiteral("file"), e.file);
            axis.insert(QStringLiteral("sha256"), e.sha256);
        }
        axes.append(axis);
    }
    const QJsonObject root{
        {QStringLiteral("created"), manifest.created.toString(Qt::ISODate)},
        {QStringLiteral("port"), manifest.port},
        {QStringLiteral("axes"), axes},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool parseManifest(const QByteArray& bytes, Manifest* manifest, QString* error) {
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (document.isNull() || !document.isObject()) {
        *error = parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                              : QStringLiteral("not an object");
        return false;
    }
    const QJsonObject root = document.object();
    Manifest m;
    m.created =
        QDateTime::fromString(root.value(QStringLiteral("created")).toString(), Qt::ISODate);
    m.port = root.value(QStringLiteral("port")).toString();
    if (!root.value(QStringLiteral("axes")).isArray()) {
        *error = QStringLiteral("no list of axes");
        return false;
    }
    QSet<QChar> seen;
    for (const QJsonValue& value : root.value(QStringLiteral("axes")).toArray()) {
        const QJsonObject axis = value.toObject();
        const QString address = axis.value(QStringLiteral("address")).toString().toUpper();
        if (address.size() != 1 || !kAxisDigits.contains(address) || seen.contains(address[0])) {
            *error = QStringLiteral("bad or repeated axis address \"%1\"").arg(address);
            return false;
        }
        seen.insert(address[0]);
        AxisEntry e;
        e.address = address[0];
        e.present = axis.value(QStringLiteral("present")).toBool();
        if (e.present) {
            e.rate = axis.value(QStringLiteral("rate")).toInt();
            e.deviceType = axis.value(QStringLiteral("deviceType")).toString();
            e.file = axis.value(QStringLiteral("file")).toString();
            e.sha256 = axis.value(QStringLiteral("sha256")).toString().toLower();
            if (!plainFileName(e.file) || e.sha256.size() != 64) {
                *error = QStringLiteral("axis %1 has no file or no SHA-256").arg(address);
                return false;
            }
        }
        m.axes << e;
    }
    *manifest = m;
    return true;
}

BackupResult backupMachine(SerialLink& link, Operator& op, const QByteArray& folder,
                           quint16 addresses, const BackupHooks& hooks) {
    BackupResult result;
    BusyGuard busy;
    AddressRestore restore(link);
    Manifest& manifest = result.manifest;
    manifest.created = QDateTime::currentDateTimeUtc();
    manifest.port = link.selectedPort();

    // The files about to be replaced are no longer the ones an old manifest
    // describes: a backup that stops half-way must not leave one that looks
    // complete.
    const QByteArray manifestPath = pathIn(folder, manifestName());
    if (QFile::exists(QFile::decodeName(manifestPath)) &&
        !QFile::remove(QFile::decodeName(manifestPath))) {
        result.errors << QStringLiteral("%1: cannot be removed").arg(manifestName());
        return result;
    }

    for (int a = 0; a < 16; ++a) {
        if (!(addresses & (1u << a)))
            continue;
        AxisEntry entry;
        entry.address = kAxisDigits.at(a);
        if (hooks.axisStarted)
            hooks.axisStarted(entry.address);
        link.setCurrentAddress(QString(entry.address));
        if (!probeWith(link, hooks.probe, true)) {
            // A closed or vanished port is no absent axis: what follows could
            // not be told from the machine.
            if (!link.portOpen() || link.lastPortLost()) {
                result.failed << entry.address;
                return result;
            }
            manifest.axes << entry;
            continue;
        }
        entry.rate = SerialLink::baudRateOf(link.baudIndex());

        // The file of a save of this axis's panel: read the axis as the
        // panel does, then compose it.
        AxisParameters params;
        CKormakDoc doc;
        QByteArray bytes;
        if (!ReadAxisConfiguration(link, op, params) ||
            ComposeParameterFile(link, op, params, doc, &bytes) != ComposeStatus::Complete) {
            result.failed << entry.address;
            // Another axis may still answer, unless the port itself is gone.
            if (!link.portOpen() || link.lastPortLost())
                return result;
            continue;
        }
        entry.present = true;
        entry.deviceType = params.deviceType;
        entry.file = axisFileName(entry.address);
        entry.sha256 = sha256Hex(bytes);
        QString error;
        if (!FileIo::writeFile(pathIn(folder, entry.file), bytes, &error)) {
            result.failed << entry.address;
            result.errors << QStringLiteral("%1: %2").arg(entry.file, error);
            continue;
        }
        manifest.axes << entry;
        op.pumpEvents();
    }

    if (!result.failed.isEmpty())
        return result;
    QString error;
    if (!FileIo::writeFile(manifestPath, manifestJson(manifest), &error)) {
        result.errors << QStringLiteral("%1: %2").arg(manifestName(), error);
        return result;
    }
    result.ok = true;
    return result;
}

RestorePlan planRestore(const QByteArray& folder, quint16 only) {
    RestorePlan plan;
    QByteArray bytes;
    QString error;
    if (!FileIo::readFile(pathIn(folder, manifestName()), MaxManifestBytes, &bytes, &error) ||
        !parseManifest(bytes, &plan.manifest, &error)) {
        plan.problems << QStringLiteral("%1: %2").arg(manifestName(), error);
        return plan;
    }
    quint16 found = 0;
    for (const AxisEntry& e : plan.manifest.axes) {
        const int a = int(kAxisDigits.indexOf(e.address));
        if (!e.present || (only != 0 && !(only & (1u << a))))
            continue;
        found |= quint16(1u << a);
        RestoreItem item;
        item.entry = e;
        QByteArray file;
        QString reason;
        if (!FileIo::readFile(pathIn(folder, e.file), MaxParameterFileBytes, &file, &reason)) {
            plan.problems << QStringLiteral("%1: %2").arg(e.file, reason);
            continue;
        }
        if (sha256Hex(file) != e.sha256) {
            plan.problems << QStringLiteral("%1: SHA-256 differs from the manifest").arg(e.file);
            continue;
        }
        item.doc = std::make_shared<CKormakDoc>();
        item.doc->lineList = SplitFileLines(file);
        item.doc->typeTag = e.file;
        if (!item.doc->lineList.isEmpty())
            ApplyFileLines(item.doc->lineList, item.params, *item.doc);
        plan.items << item;
    }
    for (int a = 0; a < 16; ++a)
        if ((only & (1u << a)) && !(found & (1u << a)))
            plan.problems << QStringLiteral("axis %1: no file in the manifest").arg(kAxisDigits[a]);
    return plan;
}

Identity identifyAxis(SerialLink& link, const AxisEntry& entry, QString* deviceType,
                      const std::function<bool()>& probe) {
    AddressRestore restore(link);
    deviceType->clear();
    link.setCurrentAddress(QString(entry.address));
    if (!probeWith(link, probe, true))
        return Identity::Silent;
    const QString reply = link.SendCommand(QStringLiteral("DO?"), true, Full);
    if (PseudoReply::is(reply))
        return Identity::Silent;
    *deviceType = reply;
    if (reply == entry.deviceType)
        return Identity::Same;
    const QString family = deviceFamily(reply);
    return !family.isEmpty() && family == deviceFamily(entry.deviceType) ? Identity::SameFamily
                                                                         : Identity::OtherFamily;
}

RestoreAxisResult restoreAxis(SerialLink& link, Operator& op, const RestoreItem& item,
                              const std::function<bool()>& probe) {
    RestoreAxisResult r;
    r.address = item.entry.address;
    const int a = int(kAxisDigits.indexOf(item.entry.address));
    const quint16 bit = quint16(1u << a);

    AddressRestore restore(link);
    // The transfer talks to its axes from an offline panel.
    link.setAxisAddress(AxisAddress::offline());
    WithoutSummary quiet(op);
    TransferToAxes transfer(link, quiet);
    // A restore puts the machine back as it was, ramps included.
    transfer.ramps = TransferToAxes::Ramps::Yes;
    const TransferToAxes::Result loaded = transfer.run(item.params, *item.doc, bit);
    r.loaded = loaded.allLoaded(bit);
    if (!r.loaded)
        return r;

    link.setCurrentAddress(QString(item.entry.address));
    if (!probeWith(link, probe, false))
        return r;
    AxisComparison comparison;
    ComparisonScope scope;
    scope.table = loaded.tableMatches[a];
    scope.wholePlcArea = false;
    if (!CompareWithAxis(link, op, item.params, *item.doc, &comparison, scope))
        return r;
    r.readBack = true;
    r.differences = comparison.differences();
    r.verified = comparison.equal();
    return r;
}

} // namespace MachineBackup
