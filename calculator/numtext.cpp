// Operand texts to extended values, and doubles back to the 15-digit texts
// that carry every intermediate result between two operations.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "calculator/calcengine.h"

namespace {

bool ISDIGIT(char c) { return c >= '0' && c <= '9'; }

// 10^k for 0 <= k <= 27 is exact in the 64-bit mantissa (5^27 < 2^64).
constexpr int EXACTPOWERS = 27;

long double EXACTPOWER10(int k) {
    long double result = 1;
    for (int i = 0; i < k; ++i) result *= 10;
    return result;
}

// 10^n by binary powering; each factor past 10^27 is rounded once.
long double POWER10(int n) {
    long double result = 1, factor = 10;
    while (n > 0) {
        if (n & 1) result *= factor;
        n >>= 1;
        if (n > 0) factor *= factor;
    }
    return result;
}

// mantissa * 10^k with one rounding whenever the power is exact.
long double SCALEDECIMAL(uint64_t mantissa, int k) {
    long double value = static_cast<long double>(mantissa);
    if (k >= 0) return value * (k <= EXACTPOWERS ? EXACTPOWER10(k) : POWER10(k));
    if (-k <= EXACTPOWERS) return value / EXACTPOWER10(-k);
    // Far below 1: divide in two steps so that the divisor stays finite.
    if (k < -4000) {
        value /= POWER10(4000);
        k += 4000;
    }
    return value / POWER10(-k);
}

// The value that stands for any operand beyond the extended range.
long double SATURATED(bool negative) {
    const long double big = 170141183460469231731687303715884105728.0L;  // 2^127
    return negative ? -big : big;
}

int BASEDIGIT(char c, int base) {
    int d = 99;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    return d < base ? d : -1;
}

// A whole number after "&": &H hexadecimal, &B binary, &O, &Q or & and a
// digit octal. Anything else after "&" reads as 0.
long double BASEVALUE(std::string_view t, size_t i, bool negative) {
    int base = 0;
    const char letter = i < t.size() ? t[i] : '\0';
    if (letter == 'H' || letter == 'h') base = 16;
    else if (letter == 'B' || letter == 'b') base = 2;
    else if (letter == 'O' || letter == 'o' || letter == 'Q' || letter == 'q') base = 8;
    else if (ISDIGIT(letter)) base = 8, --i;
    if (base == 0) return 0;
    long double value = 0;
    for (++i; i < t.size(); ++i) {
        const int d = BASEDIGIT(t[i], base);
        if (d < 0) break;
        value = value * base + d;
        if (std::isinf(value)) return SATURATED(negative);
    }
    return negative ? -value : value;
}

long double TEXTVALUEVIEW(std::string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '\n')) ++i;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    // A sign in front of "&" applies to the base number: -&H10 is -16.
    if (i < t.size() && t[i] == '&') return BASEVALUE(t, i + 1, negative);

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
        if (!ISDIGIT(c)) break;
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
        for (; i < t.size() && ISDIGIT(t[i]); ++i) {
            exponent = exponent * 10 + (t[i] - '0');
            if (exponent > 9999) exponent = 9999;
        }
        if (negexp) exponent = -exponent;
    }
    const long double zero = negative ? -0.0L : 0.0L;
    if (!anydigit || mantissa == 0) return zero;
    // The value is 0.d1d2... times 10^decimalexponent.
    const int decimalexponent = used + scale + exponent;
    if (decimalexponent >= 4933) return SATURATED(negative);
    if (decimalexponent <= -4933) return zero;
    const long double value = SCALEDECIMAL(mantissa, scale + exponent);
    return negative ? -value : value;
}

// An unsigned whole number in base 10^9, lowest limb first; wide enough for
// every double: 2^53 * 5^1074 has 767 digits.
struct BigDecimal {
    std::array<uint32_t, 90> Limbs;
    int Count;
};

constexpr uint32_t LIMBBASE = 1000000000;

void BIGMULTIPLY(BigDecimal& big, uint32_t factor) {
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

// The first 16 significant digits of a positive finite double, exactly and
// truncated, and E such that the value is 0.d1d2... times 10^E.
struct LeadingDigits {
    uint64_t Digits16;
    int Exponent;
};

LeadingDigits EXACTLEADINGDIGITS(double value) {
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
        for (; q >= 29; q -= 29) BIGMULTIPLY(big, 1u << 29);
        if (q > 0) BIGMULTIPLY(big, 1u << q);
    } else {
        // m * 2^q = m * 5^-q / 10^-q
        pointshift = -q;
        for (q = -q; q >= 13; q -= 13) BIGMULTIPLY(big, 1220703125u);  // 5^13
        uint32_t rest = 1;
        for (; q > 0; --q) rest *= 5;
        BIGMULTIPLY(big, rest);
    }
    std::string digits = std::to_string(big.Limbs[big.Count - 1]);
    const int total = static_cast<int>(digits.size()) + 9 * (big.Count - 1);
    for (int i = big.Count - 2; i >= 0 && digits.size() < 16; --i) {
        const std::string limb = std::to_string(big.Limbs[i]);
        digits += std::string(9 - limb.size(), '0') + limb;
    }
    digits.resize(16, '0');
    uint64_t digits16 = 0;
    for (const char c : digits) digits16 = digits16 * 10 + static_cast<uint64_t>(c - '0');
    return {digits16, total - pointshift};
}

}  // namespace

long double TEXTVALUE(const std::string& operand) { return TEXTVALUEVIEW(operand); }

std::string NUMTEXT(double value) {
    if (value == 0 || std::isnan(value)) return "0";
    if (std::isinf(value)) return value < 0 ? "-9.99999999999999E+998" : "9.99999999999999E+998";
    const LeadingDigits leading = EXACTLEADINGDIGITS(std::fabs(value));
    // The 16th digit alone decides; a 5 rounds to an even 15th digit.
    uint64_t digits15 = leading.Digits16 / 10;
    const unsigned sixteenth = static_cast<unsigned>(leading.Digits16 % 10);
    int e = leading.Exponent;
    if (sixteenth > 5 || (sixteenth == 5 && (digits15 & 1) != 0)) ++digits15;
    if (digits15 == 1000000000000000ULL) {
        digits15 = 100000000000000ULL;
        ++e;
    }
    std::string d = std::to_string(digits15);
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
