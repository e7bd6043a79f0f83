#include "base/Texts.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

// The string tables are what the operator reads; a lost blank, line break or
// ampersand shows up as a broken caption, a misaligned report column or a file
// marker that the readers no longer find. These tests check the tables as the
// program loads them (compiled and embedded) and as translators edit them (.ts).

namespace {

const char* const kLanguageCodes[] = {"de", "en", "fr"};

struct Message {
    QString id;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

struct TsFile {
    QString error;
    QList<Message> messages;
};

TsFile readTs(const QString& code) {
    TsFile ts;
    const QString path = QStringLiteral(KORMAK_TS_DIR "/kormak_%1.ts").arg(code);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = path + QStringLiteral(": ") + file.errorString();
        return ts;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"message") {
            ts.messages.append(
                {xml.attributes().value(QLatin1String("id")).toString(), {}, {}, {}});
        } else if (ts.messages.isEmpty()) {
            continue;
        } else if (xml.name() == u"source") {
            ts.messages.last().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            ts.messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            ts.messages.last().translation = xml.readElementText();
        }
    }
    if (xml.hasError())
        ts.error =
            QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
    return ts;
}

// Numeric ids first, ascending by value; then named ids in alphabetical order.
bool idLess(const QString& a, const QString& b) {
    bool aNumeric = false;
    bool bNumeric = false;
    const qulonglong aValue = a.toULongLong(&aNumeric);
    const qulonglong bValue = b.toULongLong(&bNumeric);
    if (aNumeric != bNumeric)
        return aNumeric;
    if (aNumeric)
        return aValue < bValue;
    return a < b;
}

// Shows control characters in failure messages so that a lost "\r" is visible.
QString visible(QString text) {
    return text.replace(u'\r', QStringLiteral("\\r"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\t', QStringLiteral("\\t"));
}

// One row of the exact-text table: the same id in German, English and French.
void row(const char* name, const char* id, const char* german, const char* english,
         const char* french) {
    QTest::newRow(name) << QString::fromUtf8(id) << QString::fromUtf8(german)
                        << QString::fromUtf8(english) << QString::fromUtf8(french);
}

} // namespace

class TestTexts : public QObject {
    Q_OBJECT

private slots:
    void exactTexts_data();
    void exactTexts();
    void compiledTablesMatchSources_data();
    void compiledTablesMatchSources();
    void tsFilesAgree();
};

void TestTexts::exactTexts_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("german");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");

    // Title prefixes: the address follows directly, so the blank belongs to the text.
    row("10000 axis title prefix", "10000", "Achse ", "Axe ", "Axe ");
    row("10017 start mnemonic", "10017", "&Start", "&Start", "Dé&part");
    row("10025 store parameters", "10025", "Akt. Parameter speichern", "Aktual parameters",
        "Paramètres actuels");
    row("10036 other error", "10036", "Sonstiger Fehler", "Other error", "D'autres erreurs :");
    row("10037 watchdog", "10037", "Hardware-Reset (Watchdog?)", "Hardware-Reset (Watchdog?)",
        "Reset hardware (Watchdog?)");
    row("10052 interface label", "10052", "&Schnittstelle", "&Interface", "&Interface");
    row("10054 existing axes", "10054", "[vohandene]", "[existing]", "[Existant]");
    row("10082 bios code tab", "10082", "Bioscode:\t", "Bios code:\t", "Code BIOS:\t");
    row("10103 timeout", "10103", "Schnittstelle Timeout!", "Interface timeout!",
        "Interface Timeout");
    row("10104 cannot open", "10104", "Schnittstelle kann nicht geöffnet werden!",
        "Interface can not be opened!", "Interface ne peut pas être ouverte!");
    row("10110 store question trailing blank", "10110",
        "Sollen die derzeit aktuellen Parameter wirklich fest programmiert werden?",
        "Do you really want to store the actual parameters? ",
        "Voulez-vous vraiment programmer les paramètres actuels?");
    row("10138 checksum framing", "10138", "STX / ETX und Prüfsumme", "STX / ETX and checksum",
        "STX / ETX et somme de teste");
    row("10143 all characters", "10143", "Alle Zeichen anzeigen", "Display all characters",
        "Afficher tous cara.");
    row("10144 monitor title", "10144", ": RS-Monitor", ": RS monitor", ": Moniteur RS");
    row("10168 sixteen blanks", "10168",
        "Sende Rampendaten. Bitte warten...                Rampe: ",
        "Ramp data sending. Please wait...                Ramp: ",
        "Envoi des données de rampe. Veuillez patienter...                Rampe: ");
    row("10169 bare line feeds", "10169",
        "Sollen wirklich die internen Defaultrampen programmiert werden?\n\n"
        "ACHTUNG: Auch der SPS-Bereich wird gelöscht!",
        "Do you really want to store the internal default ramps?\n\n"
        "ATTENTION: The PLC range is also deleted!",
        "Voulez-vous vraiment programmer les rampes internes par défaut?\n\n"
        "ATTENTION: La zone API est également effacée!");
    row("10172 quote and ellipsis", "10172", "Lese SPS-Sequenzen. Bitte warten...",
        "PLC sequences reading. Please wait...\"",
        "Lit les séquences de l'API. Attendez s'il vous plaît\u2026");
    row("10175 save failed CR LF", "10175",
        "Speichern fehlgeschlagen!\r\nDaten von der Steuerung konnten nicht empfangen werden",
        "Saving failed!\r\nData from controller couldn't be received",
        "La sauvegarde a échoué!\r\nLes données ne pouvaient pas être reçues.");
    // File lines: the writer emits them as they stand, the readers look for the markers.
    row("10181 separator", "10181",
        "; ---------------------------------------------------\r\n;\r\n",
        "; ---------------------------------------------------\r\n;\r\n",
        "; ---------------------------------------------------\r\n;\r\n");
    row("10188 table marker", "10188", "; [Beschleunigungstabelle]\r\n;\r\n",
        "; [Acceleration table]\r\n;\r\n", "; [Tableau d'accélération]\r\n;\r\n");
    row("10189 table line", "10189", "; [bitte nicht ändern   ]:", "; [Please don't change   ]:",
        "; [Ne pas changer, s'il vous plaît   ]:");
    row("10192 different ramps", "10192",
        "Verschiedene Rampen in Datei und Steuerung.\r\nRampen neu programmieren?",
        "Different ramps in file and controller\r\nProgram ramps again?",
        "Voulez-vous reprogrammer des rampes\r\ndifférentes de fichier et contrôleur?");
    row("10194 loaded prefix", "10194", "Achse(n) ", "Ax(i)(e)s", "Axe(s) ");
    row("10195 loaded suffix", "10195", " erfolgreich geladen.", " successful loaded",
        " Chargé avec succès.");
    row("10240 baud changed", "10240", "Baudrate erfolgreich umgeschaltet",
        "Baudrate successfully changed",
        "La vitesse de transmission en bauds a été changée avec succès.");
    row("10247 baud title", "10247", ": Baudrate ändern", ": Change Baudrate",
        ": Changer la vitesse de transmission en bauds");
    row("10260 overflow", "10260", "Empfangsbuffer Überlauf!", "Receivebuffer overflow!",
        "Buffer de réception Déversior!");
    row("10261 changed on close", "10261",
        "Steuerungsparameter wurden geändert!\r\nSollen die Parameter gespeichert werden?",
        "Parameters changed!\r\nShould the parameters be stored?",
        "Paramètres ont été changés!\r\nFermer quand même?");
    row("10263 transfer", "10263", "Ü&bertragen", "Transmit", "Transférer");
    row("10264 about", "10264", "Info über Kormak...", "About Kormak...", "A propos de Kormak...");
    row("57345 idle text", "57345", "Bereit", "Ready", "Prêt");
    row("menu.file", "menu.file", "&Datei", "&File", "&Fichier");
    row("menu.57600 new", "menu.57600", "&Neu", "&New", "&Nouveau");
    row("menu.32830 english", "menu.32830", "&Englisch", "&English", "An&glais");
    row("status.32813 print", "status.32813", "Druckt die aktive Ansicht.",
        "Prints the active view.", "Imprime la vue active.");
    // The axis character is appended to the tooltip.
    row("tip.axis", "tip.axis", "Verbinden mit Achse ", "Connects to axis ", "Raccorde avec axe ");
}

void TestTexts::exactTexts() {
    QFETCH(QString, id);
    QFETCH(QString, german);
    QFETCH(QString, english);
    QFETCH(QString, french);

    const struct {
        Texts::Language language;
        QString expected;
    } cases[] = {{Texts::Language::German, german},
                 {Texts::Language::English, english},
                 {Texts::Language::French, french}};
    bool numeric = false;
    const int number = id.toInt(&numeric);
    for (const auto& c : cases) {
        QVERIFY(Texts::setLanguage(c.language));
        QCOMPARE(Texts::language(), c.language);
        const QString actual =
            numeric ? Texts::text(number) : Texts::text(id.toLatin1().constData());
        QVERIFY2(actual == c.expected, qPrintable(QStringLiteral("%1 [%2]: got \"%3\", want \"%4\"")
                                                      .arg(id, Texts::code(c.language),
                                                           visible(actual), visible(c.expected))));
    }
}

void TestTexts::compiledTablesMatchSources_data() {
    QTest::addColumn<QString>("code");
    for (const char* code : kLanguageCodes)
        QTest::newRow(code) << QString::fromLatin1(code);
}

// Every message of a .ts file must reach the program unchanged: lrelease drops
// unfinished messages and the table is embedded in a static library, so a
// message can go missing without any build error.
void TestTexts::compiledTablesMatchSources() {
    QFETCH(QString, code);
    Texts::Language language;
    QVERIFY(Texts::fromCode(code, &language));
    QVERIFY(Texts::setLanguage(language));

    const TsFile ts = readTs(code);
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QVERIFY(!ts.messages.isEmpty());
    QStringList wrong;
    for (const Message& m : ts.messages) {
        const QString actual = Texts::text(m.id.toLatin1().constData());
        if (actual != m.translation)
            wrong << QStringLiteral("%1: got \"%2\", want \"%3\"")
                         .arg(m.id, visible(actual), visible(m.translation));
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
}

void TestTexts::tsFilesAgree() {
    QHash<QString, QString> germanById;
    QList<QString> referenceIds;
    QStringList problems;
    for (const char* code : kLanguageCodes) {
        const TsFile ts = readTs(QString::fromLatin1(code));
        QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));

        QList<QString> ids;
        QSet<QString> seen;
        for (const Message& m : ts.messages) {
            const QString where = QStringLiteral("%1 %2").arg(QLatin1String(code), m.id);
            if (m.id.isEmpty())
                problems << where + QStringLiteral(": message without id");
            if (seen.contains(m.id))
                problems << where + QStringLiteral(": duplicate id");
            seen.insert(m.id);
            ids << m.id;
            if (m.translation.isEmpty())
                problems << where + QStringLiteral(": empty translation");
            if (!m.type.isEmpty())
                problems << where + QStringLiteral(": translation marked ") + m.type;
            if (m.source.isEmpty())
                problems << where + QStringLiteral(": empty source");
            // The source is the German text in every file, so translators
            // always see what the German table says.
            if (qstrcmp(code, "de") == 0) {
                if (m.translation != m.source)
                    problems << where + QStringLiteral(": German translation differs from source");
                germanById.insert(m.id, m.source);
            } else if (germanById.contains(m.id) && germanById.value(m.id) != m.source) {
                problems << where + QStringLiteral(": source is not the German text");
            }
        }
        if (!std::is_sorted(ids.cbegin(), ids.cend(), idLess))
            problems
                << QStringLiteral("%1: messages are not sorted by id").arg(QLatin1String(code));

        if (referenceIds.isEmpty()) {
            referenceIds = ids;
        } else {
            const QSet<QString> reference(referenceIds.cbegin(), referenceIds.cend());
            const QSet<QString> own(ids.cbegin(), ids.cend());
            for (const QString& id : reference - own)
                problems << QStringLiteral("%1: missing id %2").arg(QLatin1String(code), id);
            for (const QString& id : own - reference)
                problems << QStringLiteral("%1: id %2 not in the German table")
                                .arg(QLatin1String(code), id);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestTexts)

#include "tst_texts.moc"
