// The About box's text in the build language, from the executable's path.
#include <gtest/gtest.h>

#include "language/abouttext.h"
#include "language/language.h"

namespace {

TEST(AboutText, NameFolderAndLines) {
    const std::string lines = LANGTEXT(
        "\r\n\r\nSimple-clic sur la date = calendrier\r\nDouble-clic sur l'heure = calculatrice\r\n"
        "Clic bouton droit = menu d'apparence\r\nAscenseur de la souris = transparence\r\n\r\n"
        "Cliquez OK pour visiter le site du d\xE9veloppeur",
        "\r\n\r\nSimple-clic on date = calendar\r\nDouble-clic on time = calculator\r\n"
        "Right-clic = window appearance menu\r\nMouse-wheel = transparency\r\n\r\n"
        "Clic OK to visit the developer's website");
    const char* const cases[][3] = {{"C:\\Tools\\myclock.exe", "myclock", "C:\\Tools\\"},  // path, name, folder
                                    {"C:\\Tools\\clock.old.exe", "clock.old", "C:\\Tools\\"},
                                    {"D:\\orloclock.exe", "orloclock", "D:\\"},
                                    {"C:\\my.tools\\clock", "clock", "C:\\my.tools\\"}};  // a dot in the folder only
    for (const auto& [path, name, folder] : cases)
        EXPECT_EQ(ABOUTTEXT(path), std::string(name) + " Version 1.4 (25-OCT-2011)\r\n" +
                                       LANGTEXT("Lanc\xE9 depuis ", "Launched from ") + folder + lines);
    EXPECT_EQ(ABOUTTITLE(), LANGTEXT("A propos", "About"));
}

}  // namespace
