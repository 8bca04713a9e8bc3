#include "language/abouttext.h"

#include "core/paths.h"
#include "language/language.h"

std::string ABOUTTITLE() { return LANGTEXT("A propos", "About"); }

std::string ABOUTTEXT(const std::string& executablepath) {
    const char* const lines[] = {
        LANGTEXT("Lancé depuis ", "Launched from "),
        "",
        LANGTEXT("Simple-clic sur la date = calendrier", "Simple-clic on date = calendar"),
        LANGTEXT("Double-clic sur l'heure = calculatrice", "Double-clic on time = calculator"),
        LANGTEXT("Clic bouton droit = menu d'apparence", "Right-clic = window appearance menu"),
        LANGTEXT("Ascenseur de la souris = transparence", "Mouse-wheel = transparency"),
        "",
        LANGTEXT("Cliquez OK pour visiter le site du développeur", "Clic OK to visit the developer's website"),
    };
    std::string text = EXECUTABLENAME(executablepath) + " Version " + ABOUT_VERSION;
    text += "\r\n" + std::string(lines[0]) + EXECUTABLEFOLDER(executablepath);
    for (size_t i = 1; i < sizeof lines / sizeof lines[0]; ++i) text += "\r\n" + std::string(lines[i]);
    return text;
}
