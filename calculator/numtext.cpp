// Operand texts to extended values, and doubles back to the 15-digit texts
// that carry every intermediate result between two operations.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/calcengine.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// 10^k for 0 <= k <= 27 is exact in the 64-bit mantissa (5^27 < 2^64).
constexpr int EXACTPOWERS = 27;

constexpr std::array<long double, EXACTPOWERS + 1> EXACTPOWERTABLE = [] {
    std::array<long double, EXACTPOWERS + 1> table{};
    table[0] = 1;
    for (int k = 1; k <= EXACTPOWERS; ++k) table[k] = table[k - 1] * 10;
    return table;
}();

long double exactPower10(int k) { return EXACTPOWERTABLE[k]; }

// 10^n by binary powering; each factor past 10^27 is rounded once.
long double power10(int n) {
    long double result = 1, factor = 10;
    while (n > 0) {
        if (n & 1) result *= factor;
        n >>= 1;
        if (n > 0) factor *= factor;
    }
    return result;
}

// mantissa * 10^k with one rounding whenever the power is exact.
long double scaleDecimal(uint64_t mantissa, int k) {
    long double value = static_cast<long double>(mantissa);
    if (k >= 0) return value * (k <= EXACTPOWERS ? exactPower10(k) : power10(k));
    if (-k <= EXACTPOWERS) return value / exactPower10(-k);
    // Far below 1: divide in two steps so that the divisor stays finite.
    if (k < -4000) {
        value /= power10(4000);
        k += 4000;
    }
    return value / power10(-k);
}

// The value that stands for any operand beyond the extended range.
long double saturated(bool negative) {
    const long double big = 170141183460469231731687303715884105728.0L;  // 2^127
    return negative ? -big : big;
}

int baseDigit(char c, int base) {
    int d = 99;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    return d < base ? d : -1;
}

// A whole number after "&": &H hexadecimal, &B binary, &O, &Q or & and a
// digit octal. Anything else after "&" reads as 0.
long double baseValue(std::string_view t, size_t i, bool negative) {
    int base = 0;
    const char letter = i < t.size() ? t[i] : '\0';
    if (letter == 'H' || letter == 'h')
        base = 16;
    else if (letter == 'B' || letter == 'b')
        base = 2;
    else if (letter == 'O' || letter == 'o' || letter == 'Q' || letter == 'q')
        base = 8;
    else if (isDigit(letter))
        base = 8, --i;
    if (base == 0) return 0;
    long double value = 0;
    for (++i; i < t.size(); ++i) {
        const int d = baseDigit(t[i], base);
        if (d < 0) break;
        value = value * base + d;
        if (std::isinf(value)) return saturated(negative);
    }
    return negative ? -value : value;
}

long double textValueView(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    // A sign in front of "&" applies to the base number: -&H10 is -16.
    if (i < t.size() && t[i] == '&') return baseValue(t, i + 1, negative);

    // Significant digits go into the mantissa (18 at most); scale counts
    // the powers of ten the mantissa stands below the value.
    uint64_t mantissa = 0;
    int used = 0, scale = 0;
    bool anydigit = false, point = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (!isDigit(c)) break;
        anydigit = true;
        if (mantissa == 0 && c == '0') {
            if (point) --scale;  // a leading zero after the point
        } else if (used < 18) {
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            ++used;
            if (point) --scale;
        } else if (!point) {
            ++scale;  // an ignored digit still moves the point
        }
    }
    int exponent = 0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e' || t[i] == 'D' || t[i] == 'd')) {
        ++i;
        bool negexp = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) negexp = t[i++] == '-';
        for (; i < t.size() && isDigit(t[i]); ++i) {
            exponent = exponent * 10 + (t[i] - '0');
            if (exponent > 9999) exponent = 9999;
        }
        if (negexp) exponent = -exponent;
    }
    const long double zero = negative ? -0.0L : 0.0L;
    if (!anydigit || mantissa == 0) return zero;
    // The value is 0.d1d2... times 10^decimalexponent.
    const int decimalexponent = used + scale + exponent;
    if (decimalexponent >= 4933) return saturated(negative);
    if (decimalexponent <= -4933) return zero;
    const long double value = scaleDecimal(mantissa, scale + exponent);
    return negative ? -value : value;
}

// An unsigned whole number in base 10^9, lowest limb first; wide enough for
// every double: 2^53 * 5^1074 has 767 digits.
struct BigDecimal {
    std::array<uint32_t, 90> Limbs;
    int Count;
};

constexpr uint32_t LIMBBASE = 1000000000;

void bigMultiply(BigDecimal& big, uint32_t factor) {
    uint64_t carry = 0;
    for (int i = 0; i < big.Count; ++i) {
        const uint64_t product = static_cast<uint64_t>(big.Limbs[i]) * factor + carry;
        big.Limbs[i] = static_cast<uint32_t>(product % LIMBBASE);
        carry = product / LIMBBASE;
    }
    while (carry > 0) {
        big.Limbs[big.Count++] = static_cast<uint32_t>(carry % LIMBBASE);
        carry /= LIMBBASE;
    }
}

uint64_t pow10u(int k) {
    uint64_t result = 1;
    for (; k > 0; --k) result *= 10;
    return result;
}

// A value rounded to 15 significant digits: Digits15 in [10^14, 10^15) and
// E such that the value is 0.d1...d15 times 10^E.
struct Rounded {
    uint64_t Digits15;
    int Exponent;
};

bool operator==(const Rounded& a, const Rounded& b) { return a.Digits15 == b.Digits15 && a.Exponent == b.Exponent; }

// digits16 holds the first 16 significant digits, truncated, of a value
// 0.d1...d16... times 10^exponent. The 16th digit alone decides; a 5 rounds
// to an even 15th digit.
Rounded round15(uint64_t digits16, int exponent) {
    uint64_t digits15 = digits16 / 10;
    const unsigned sixteenth = static_cast<unsigned>(digits16 % 10);
    if (sixteenth > 5 || (sixteenth == 5 && (digits15 & 1) != 0)) ++digits15;
    if (digits15 == 1000000000000000ULL) {
        digits15 = 100000000000000ULL;
        ++exponent;
    }
    return {digits15, exponent};
}

// round15 of a positive finite double from its full decimal expansion:
// exact for every value, but up to 767 digits long.
Rounded exactRounded(double value) {
    int binaryexponent = 0;
    const double fraction = std::frexp(value, &binaryexponent);
    uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    int q = binaryexponent - 53;  // value = mantissa * 2^q
    while ((mantissa & 1) == 0) {
        mantissa >>= 1;
        ++q;
    }
    BigDecimal big{};
    big.Count = 0;
    for (uint64_t m = mantissa; m > 0; m /= LIMBBASE) big.Limbs[big.Count++] = static_cast<uint32_t>(m % LIMBBASE);
    int pointshift = 0;  // the value is big / 10^pointshift
    if (q >= 0) {
        for (; q >= 29; q -= 29) bigMultiply(big, 1u << 29);
        if (q > 0) bigMultiply(big, 1u << q);
    } else {
        // m * 2^q = m * 5^-q / 10^-q
        pointshift = -q;
        for (q = -q; q >= 13; q -= 13) bigMultiply(big, 1220703125u);  // 5^13
        uint32_t rest = 1;
        for (; q > 0; --q) rest *= 5;
        bigMultiply(big, rest);
    }
    // The first 16 digits, from the top limb down.
    int topwidth = 1;
    for (uint32_t t = big.Limbs[big.Count - 1]; t >= 10; t /= 10) ++topwidth;
    uint64_t digits16 = 0;
    int taken = 0;
    for (int i = big.Count - 1; i >= 0 && taken < 16; --i) {
        const int width = i == big.Count - 1 ? topwidth : 9;
        const int take = width < 16 - taken ? width : 16 - taken;
        digits16 = digits16 * pow10u(take) + big.Limbs[i] / pow10u(width - take);
        taken += take;
    }
    digits16 *= pow10u(16 - taken);
    return round15(digits16, topwidth + 9 * (big.Count - 1) - pointshift);
}

// 10^(27j) for j = -11..12, rounded to nearest, written in hexadecimal so
// that they do not depend on how the compiler reads decimals.
constexpr long double POWERS27[] = {
    0xA76C582338ED2622p-1050L,  // 1E-297
    0x873E4F75E2224E68p-960L,   // 1E-270
    0xDA7F5BF590966849p-871L,   // 1E-243
    0xB080392CC4349DEDp-781L,   // 1E-216
    0x8E938662882AF53Ep-691L,   // 1E-189
    0xE65829B3046B0AFAp-602L,   // 1E-162
    0xBA121A4650E4DDECp-512L,   // 1E-135
    0x964E858C91BA2655p-422L,   // 1E-108
    0xF2D56790AB41C2A3p-333L,   // 1E-81
    0xC428D05AA4751E4Dp-243L,   // 1E-54
    0x9E74D1B791E07E48p-153L,   // 1E-27
    1.0L,                       // 1E+0
    0xCECB8F27F4200F3Ap+26L,    // 1E+27
    0xA70C3C40A64E6C52p+116L,   // 1E+54
    0x86F0AC99B4E8DAFDp+206L,   // 1E+81
    0xDA01EE641A708DEAp+295L,   // 1E+108
    0xB01AE745B101E9E4p+385L,   // 1E+135
    0x8E41ADE9FBEBC27Dp+475L,   // 1E+162
    0xE5D3EF282A242E82p+564L,   // 1E+189
    0xB9A74A0637CE2EE1p+654L,   // 1E+216
    0x95F83D0A1FB69CD9p+744L,   // 1E+243
    0xF24A01A73CF2DCD0p+833L,   // 1E+270
    0xC3B8358109E84F07p+923L,   // 1E+297
    0x9E19DB92B4E31BA9p+1013L,  // 1E+324
};

// round15 of a value from the whole part of value * 10^s, which lies in
// [10^15, 10^17).
Rounded roundScaled(uint64_t whole, int s) {
    if (whole >= 10000000000000000ULL) return round15(whole / 10, 17 - s);
    return round15(whole, 16 - s);
}

// round15 of a positive finite double from y = value * 10^s computed in the
// 64-bit mantissa, s chosen so that the exact y lies in [10^15, 2 * 10^16).
// Three roundings (value * 10^r, the table power, their product), each
// within 2^-64 relatively, keep y within 3.1 * 2^-64 * 2 * 10^16 < 2^-8 of
// the exact one, so the exact whole part lies between those of y - 2^-6 and
// y + 2^-6 (their own rounding is 2^-10 at most). round15 never decreases as
// the value grows: when both ends round the same, so does the value.
// Otherwise, with a 16th digit near 5 or 6, exactRounded decides.
bool fastRounded(double value, Rounded& result) {
    // A reduced x87 precision would void the bound.
    volatile long double one = 1;
    if (one + 0x1p-63L == one) return false;
    // value lies in [2^n, 2^(n+1)) and 10^k <= 2^n < 10^(k+1): n * log10(2)
    // stays more than 4E-4 away from a whole number for |n| < 2136.
    int n = 0;
    std::frexp(value, &n);
    --n;
    const int k = static_cast<int>(std::floor(n * 0.30102999566398120));
    const int s = 15 - k;                   // -293..339
    const int j = (s + 11 * 27) / 27 - 11;  // floor(s / 27)
    const long double y = static_cast<long double>(value) * exactPower10(s - 27 * j) * POWERS27[j + 11];
    uint64_t low = static_cast<uint64_t>(y - 0x1p-6L);
    const uint64_t high = static_cast<uint64_t>(y + 0x1p-6L);
    if (low < 1000000000000000ULL) low = 1000000000000000ULL;  // the exact y is not below 10^15
    result = roundScaled(low, s);
    return roundScaled(high, s) == result;
}

}  // namespace

long double TEXTVALUE(const std::string& operand) { return textValueView(operand); }

std::string NUMTEXT(double value) {
    if (value == 0 || std::isnan(value)) return "0";
    if (std::isinf(value)) return value < 0 ? "-9.99999999999999E+998" : "9.99999999999999E+998";
    Rounded rounded;
    if (!fastRounded(std::fabs(value), rounded)) rounded = exactRounded(std::fabs(value));
    const int e = rounded.Exponent;
    std::string d = std::to_string(rounded.Digits15);
    while (d.size() > 1 && d.back() == '0') d.pop_back();
    const int n = static_cast<int>(d.size());

    std::string text = value < 0 ? "-" : "";
    if (e >= n && e <= 15) {
        text += d + std::string(e - n, '0');
    } else if (e < n && n - e <= 15) {
        if (e <= 0)
            text += "." + std::string(-e, '0') + d;
        else
            text += d.substr(0, e) + "." + d.substr(e);
    } else {
        text += d.substr(0, 1);
        if (n > 1) text += "." + d.substr(1);
        text += e - 1 >= 0 ? "E+" : "E-";
        text += std::to_string(e - 1 >= 0 ? e - 1 : 1 - e);
    }
    return text;
}
