#include "base/Texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace Texts {
namespace {

struct State {
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<QTranslator> qtTranslator; // Qt's own dialogs (file dialog...)
    Language language = Language::English;
    bool installed = false;
};

State& state() {
    static State s;
    return s;
}

} // namespace

QString code(Language language) {
    switch (language) {
    case Language::German:
        return QStringLiteral("de");
    case Language::French:
        return QStringLiteral("fr");
    case Language::English:
        break;
    }
    return QStringLiteral("en");
}

bool fromCode(const QString& text, Language* language) {
    const QString c = text.trimmed().toLower();
    if (c == QLatin1String("de"))
        *language = Language::German;
    else if (c == QLatin1String("en"))
        *language = Language::English;
    else if (c == QLatin1String("fr"))
        *language = Language::French;
    else
        return false;
    return true;
}

bool setLanguage(Language language) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/kormak_%1.qm").arg(code(language))))
        return false;
    State& s = state();
    if (s.translator)
        QCoreApplication::removeTranslator(s.translator.get());
    s.translator = std::move(translator);
    QCoreApplication::installTranslator(s.translator.get());
    if (s.qtTranslator)
        QCoreApplication::removeTranslator(s.qtTranslator.get());
    s.qtTranslator = std::make_unique<QTranslator>();
    if (s.qtTranslator->load(QStringLiteral("qtbase_%1").arg(code(language)),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(s.qtTranslator.get());
    s.language = language;
    s.installed = true;
    return true;
}

Language language() {
    return state().language;
}

Language platformLanguage() {
    const QLocale::Language l = QLocale::system().language();
    if (l == QLocale::German)
        return Language::German;
    if (l == QLocale::French)
        return Language::French;
    return Language::English;
}

QString text(const char* id) {
    State& s = state();
    if (!s.installed)
        setLanguage(platformLanguage());
    return qtTrId(id);
}

QString text(int id) {
    return text(QByteArray::number(id).constData());
}

} // namespace Texts
