#pragma once

#include <QString>

// Every user-visible text is looked up by its string-table id in the current
// language at the moment it is shown. The tables are the id-based Qt
// translation files kormak_de/en/fr; ids are the decimal numbers of the
// system's own texts (10000..10294, 57345, ...) or named ids such as
// "menu.57600" for menu and tool texts.
namespace Texts {

enum class Language { German, English, French };

// Text of a numeric id in the current language.
QString text(int id);
// Text of a named id ("menu.57600").
QString text(const char* id);

// Installs the table of the language; returns false when the table is missing.
bool setLanguage(Language language);
Language language();
// German, English or French from the platform locale; English otherwise.
Language platformLanguage();
// "de", "en", "fr"
QString code(Language language);
bool fromCode(const QString& code, Language* language);

} // namespace Texts
