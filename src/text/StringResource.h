#pragma once

#include "rtf/RtfText.h"

#include <QString>
#include <fmt/printf.h>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace vantrel::output {

// A text of the program, kept once: its resource ID (0 for the texts that have none), a name to look it
// up by, and the text itself. The argument types say what fills its printf conversions, in order:
// unsigned for %u, int for %d, double for %f and RtfText (RTF templates) or QString (plain texts) for %s.
// Filling is type-checked at compile time; the text is the only format ever used.
template <typename... Args> struct RtfTemplate {
    int id;
    std::string_view name;
    std::string_view text;
};

template <typename... Args> struct TextTemplate {
    int id;
    std::string_view name;
    std::string_view text;
};

// What the catalogue knows of every text, for look-ups by ID or name and for checks over all of them.
struct StringResourceInfo {
    int id;
    std::string_view name;
    std::string_view text;
    std::string_view conversions; // one letter per argument: u, d, f or s
    bool isRtf;
};

std::span<const StringResourceInfo> allStringResources();
const StringResourceInfo* findStringResource(int id);
const StringResourceInfo* findStringResource(std::string_view name);

namespace detail {

template <typename T> constexpr char conversionOf() {
    if constexpr (std::is_same_v<T, unsigned>)
        return 'u';
    else if constexpr (std::is_same_v<T, int>)
        return 'd';
    else if constexpr (std::is_same_v<T, double>)
        return 'f';
    else if constexpr (std::is_same_v<T, RtfText> || std::is_same_v<T, QString>)
        return 's';
    else
        static_assert(sizeof(T) == 0, "a text takes unsigned, int, double or text arguments");
}

template <typename... Args> struct Conversions {
    static constexpr char value[] = {conversionOf<Args>()..., '\0'};
};

inline unsigned fmtArg(unsigned v) {
    return v;
}
inline int fmtArg(int v) {
    return v;
}
inline double fmtArg(double v) {
    return v;
}
inline std::string fmtArg(const RtfText& v) {
    return v.rtf().toStdString();
}
inline std::string fmtArg(const QString& v) {
    return v.toStdString();
}

// fmt's printf, which never reads a conversion past its arguments; a mismatch (only possible through a
// broken catalogue entry, which the tests rule out) gives the text unfilled rather than an exception.
QString vsprintf(std::string_view format, fmt::printf_args args);

template <typename... Values> QString sprintf(std::string_view format, const Values&... values) {
    return vsprintf(format, fmt::make_printf_args(values...));
}

} // namespace detail

template <typename... Args> constexpr StringResourceInfo describe(const RtfTemplate<Args...>& t) {
    return {t.id, t.name, t.text, detail::Conversions<Args...>::value, true};
}

template <typename... Args> constexpr StringResourceInfo describe(const TextTemplate<Args...>& t) {
    return {t.id, t.name, t.text, detail::Conversions<Args...>::value, false};
}

// The template filled with its arguments, as RTF.
template <typename... Args>
RtfText fill(const RtfTemplate<Args...>& t, const std::type_identity_t<Args>&... args) {
    if constexpr (sizeof...(Args) == 0)
        return RtfText::markup(QString::fromUtf8(t.text.data(), qsizetype(t.text.size())));
    else
        return RtfText::markup(detail::sprintf(t.text, detail::fmtArg(args)...));
}

// The text filled with its arguments.
template <typename... Args>
QString fill(const TextTemplate<Args...>& t, const std::type_identity_t<Args>&... args) {
    if constexpr (sizeof...(Args) == 0)
        return QString::fromUtf8(t.text.data(), qsizetype(t.text.size()));
    else
        return detail::sprintf(t.text, detail::fmtArg(args)...);
}

// A fixed text that has no arguments.
template <typename T> QString text(const T& t) {
    return QString::fromUtf8(t.text.data(), qsizetype(t.text.size()));
}

} // namespace vantrel::output
