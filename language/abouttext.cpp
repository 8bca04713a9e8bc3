#include "language/abouttext.h"

#include "language/language.h"

std::string EXECUTABLEFOLDER(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string EXECUTABLENAME(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = file.find_last_of('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

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
