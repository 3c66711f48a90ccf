// MulDiv with rounding: sizes and positions scaled by a ratio (font sizes, form scaling, anchors).
#pragma once

// number * numerator / denominator, rounded half away from zero; -1 for a zero denominator.
constexpr int MulDivRound(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    long long product = static_cast<long long>(number) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
