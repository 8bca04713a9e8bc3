// The build language, fixed when the program is built: "FR" when compiled
// with ORLO_LANGUAGE_FR, "EN" (the shipped build) otherwise.
#pragma once

#if defined(ORLO_LANGUAGE_FR)
inline constexpr const char LANGUAGE_CODE[] = "FR";
inline constexpr bool LANGUAGE_IS_FRENCH = true;
#else
inline constexpr const char LANGUAGE_CODE[] = "EN";
inline constexpr bool LANGUAGE_IS_FRENCH = false;
#endif

// The text of the build language from its French and English forms.
constexpr const char* LANGTEXT(const char* french, const char* english) {
    return LANGUAGE_IS_FRENCH ? french : english;
}
