// The dialogs' texts in every language. No two controls of a dialog answer
// to the same Alt key (a caption's mnemonic is the character after a single
// "&"; a label lends its mnemonic to its buddy, a group box to its first
// control); a title shows no mnemonic marker and is not cut short.

#include "ScriptedOperator.h"
#include "app/AboutDialog.h"
#include "app/CChangeBaud.h"
#include "app/CRSMonitor.h"
#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "base/Caption.h"
#include "base/Texts.h"
#include "drive/CGesamtStatus.h"
#include "drive/CRampenDlg.h"
#include "drive/CReset.h"
#include "drive/CSFIDialog.h"
#include "drive/CStrom.h"
#include "files/CCompareDialog.h"
#include "link/SerialLink.h"
#include "plc/CDlgSPSErweitert.h"
#include "plc/CEADialog.h"
#include "plc/CSPSDialog.h"
#include "widgets/CWait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// The mnemonic of a caption, lower case; a null character when it has none.
QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return {};
}

using Factory = std::function<std::unique_ptr<QWidget>(SerialLink&, Operator&)>;

struct DialogCase {
    const char* name;
    Factory make;
};

QList<DialogCase> dialogs() {
    PlcArea::DialogSetup offlinePlc;
    offlinePlc.axis = QStringLiteral("OFFLINE");
    offlinePlc.offline = true;
    offlinePlc.rampList = QStringList{"5000", "12500"};
    return {
        {"AboutDialog", [](SerialLink&, Operator&) { return std::make_unique<AboutDialog>(); }},
        {"CChangeBaud", [](SerialLink& l, Operator&) { return std::make_unique<CChangeBaud>(l); }},
        {"CRSMonitor",
         [](SerialLink& l, Operator& o) { return std::make_unique<CRSMonitor>(l, o); }},
        {"CGesamtStatus",
         [](SerialLink& l, Operator& o) { return std::make_unique<CGesamtStatus>(l, o); }},
        {"CRampenDlg",
         [](SerialLink& l, Operator& o) { return std::make_unique<CRampenDlg>(l, o); }},
        {"CReset", [](SerialLink& l, Operator& o) { return std::make_unique<CReset>(l, o); }},
        {"CSFIDialog",
         [](SerialLink& l, Operator& o) { return std::make_unique<CSFIDialog>(l, o); }},
        {"CStrom", [](SerialLink& l, Operator& o) { return std::make_unique<CStrom>(l, o); }},
        {"CWait",
         [](SerialLink& l, Operator& o) {
             (void)l;
             return std::make_unique<CWait>(o);
         }},
        {"CEADialog", [](SerialLink& l, Operator& o) { return std::make_unique<CEADialog>(l, o); }},
        {"CCompareDialog",
         [](SerialLink& l, Operator& o) {
             static AxisParameters params;
             static CKormakDoc doc;
             return std::make_unique<CCompareDialog>(l, o, params, doc, quint16(0x0009));
         }},
        {"CSPSDialog",
         [offlinePlc](SerialLink& l, Operator& o) {
             return std::make_unique<CSPSDialog>(l, o, offlinePlc);
         }},
        {"CDlgSPSErweitert",
         [offlinePlc](SerialLink& l, Operator& o) {
             return std::make_unique<CDlgSPSErweitert>(l, o, offlinePlc);
         }},
    };
}

} // namespace

class TestDialogTexts : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit());
    }

    void noDialogHasTwoControlsOnOneKey_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("dialog");
        const QList<DialogCase> all = dialogs();
        const struct {
            const char* code;
            Texts::Language language;
        } languages[] = {{"de", Texts::Language::German},
                         {"en", Texts::Language::English},
                         {"fr", Texts::Language::French}};
        for (const auto& l : languages)
            for (int i = 0; i < all.size(); ++i)
                QTest::addRow("%s %s", all.at(i).name, l.code) << int(l.language) << i;
    }

    void noDialogHasTwoControlsOnOneKey() {
        QFETCH(int, language);
        QFETCH(int, dialog);
        QVERIFY(Texts::setLanguage(Texts::Language(language)));
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("OFFLINE"));
        const std::unique_ptr<QWidget> w = dialogs().at(dialog).make(link, op);

        // Which control each key reaches: a label stands for its buddy.
        // Only what is on screen together: a dialog with modes (the ramp
        // dialog's delete mode) swaps one set of buttons for another.
        QMap<QChar, QStringList> keys;
        auto take = [&keys, &w](const QString& caption, const QString& who, const QWidget* c) {
            if (!c->isVisibleTo(w.get()))
                return;
            const QChar key = mnemonicOf(caption);
            if (!key.isNull())
                keys[key] << QStringLiteral("%1 \"%2\"").arg(who, caption);
        };
        for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
            take(b->text(), b->objectName(), b);
        for (QLabel* l : w->findChildren<QLabel*>())
            if (l->buddy())
                take(l->text(), QStringLiteral("label of ") + l->buddy()->objectName(), l);
        for (QGroupBox* g : w->findChildren<QGroupBox*>())
            take(g->title(), g->objectName(), g);

        QStringList clashes;
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            if (it.value().size() > 1)
                clashes << QStringLiteral("Alt+%1: %2").arg(it.key(), it.value().join(", "));
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join('\n')));
        // A title shows no mnemonic marker: it has no key to offer.
        QVERIFY2(!w->windowTitle().contains('&'), qPrintable(w->windowTitle()));
    }

    // The reset dialog is wide enough for its whole title beside the title
    // bar's buttons, however narrow its check boxes are.
    void resetTitleIsWhole_data() { saveLogDialogTitle_data(); }
    void resetTitleIsWhole() {
        QFETCH(int, language);
        QVERIFY(Texts::setLanguage(Texts::Language(language)));
        ScriptedOperator op;
        SerialLink link(op);
        CReset dialog(link, op);
        dialog.show();
        QFont bold = dialog.font();
        bold.setBold(true);
        const int title = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle());
        QVERIFY2(dialog.width() >= title + 120,
                 qPrintable(QStringLiteral("%1 < %2 + 120").arg(dialog.width()).arg(title)));
    }

    // A file dialog opened from a button takes the button's words as its
    // title, without the marker and the dots.
    void saveLogDialogTitle_data() {
        QTest::addColumn<int>("language");
        QTest::newRow("de") << int(Texts::Language::German);
        QTest::newRow("en") << int(Texts::Language::English);
        QTest::newRow("fr") << int(Texts::Language::French);
    }
    void saveLogDialogTitle() {
        QFETCH(int, language);
        QVERIFY(Texts::setLanguage(Texts::Language(language)));
        ScriptedOperator op;
        SerialLink link(op);
        CRSMonitor monitor(link, op);
        monitor.show();
        QString title;
        QTimer::singleShot(100, &monitor, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                title = w->windowTitle();
                w->close();
            }
        });
        monitor.findChild<QAbstractButton*>(QStringLiteral("saveLog"))->click();
        QCOMPARE(title, Caption::plain(Texts::text("rsmon.saveLog")));
        QVERIFY(!title.contains('&') && !title.endsWith('.') && !title.isEmpty());
    }
};

QTEST_MAIN(TestDialogTexts)
#include "tst_dialogtexts.moc"
