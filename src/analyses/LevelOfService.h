#pragma once
// Levels of service from the bounds of a method's table: A for the best band,
// then B, C ... and the letter after the last bound beyond it. The bounds are
// compared in the type they are given in (a single-precision 7.6f stays
// single, a 7.5 literal widens the comparison to double), as each method
// declares them.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <type_traits>

namespace verosa::analyses {

// Which level a value exactly at a bound belongs to.
enum class AtBound {
    Better,  // the bound is inclusive: at the bound of A the level is A
    Worse,   // the bound is strict: at the bound of A the level is already B
};

// Bounds that rise from level to level (densities, delays, flow rates): the
// first level whose upper bound the value does not pass.
template <class V, class B>
char levelFromUpperBounds(V value, std::span<const B> bounds, AtBound at = AtBound::Better, char first = 'A') {
    // The comparison of the value with the bound in their common type, as the
    // language would compare them (a float with a double bound as doubles).
    auto compare = [](auto x) { return static_cast<std::common_type_t<V, B>>(x); };
    char level = first;
    for (const B& bound : bounds) {
        if (at == AtBound::Better ? compare(value) <= compare(bound) : compare(value) < compare(bound)) return level;
        ++level;
    }
    return level;
}

// Bounds that fall from level to level (speeds, space per pedestrian): the
// first level whose lower bound the value reaches.
template <class V, class B>
char levelFromLowerBounds(V value, std::span<const B> bounds, AtBound at = AtBound::Better, char first = 'A') {
    // The comparison of the value with the bound in their common type, as the
    // language would compare them (a float with a double bound as doubles).
    auto compare = [](auto x) { return static_cast<std::common_type_t<V, B>>(x); };
    char level = first;
    for (const B& bound : bounds) {
        if (at == AtBound::Better ? compare(value) >= compare(bound) : compare(value) > compare(bound)) return level;
        ++level;
    }
    return level;
}

template <class V, class B>
char levelFromUpperBounds(V value, std::initializer_list<B> bounds, AtBound at = AtBound::Better, char first = 'A') {
    return levelFromUpperBounds(value, std::span<const B>(bounds.begin(), bounds.size()), at, first);
}

template <class V, class B>
char levelFromLowerBounds(V value, std::initializer_list<B> bounds, AtBound at = AtBound::Better, char first = 'A') {
    return levelFromLowerBounds(value, std::span<const B>(bounds.begin(), bounds.size()), at, first);
}

}  // namespace verosa::analyses
