#pragma once
// CString: the framework's ANSI string with value semantics, a thin layer over
// std::string. Positions and counts are ints as the Windows APIs use them; every
// index or count argument is clamped to the string, so no call can read or write
// outside it.

#include <windows.h>

#include <compare>
#include <cstdarg>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#if defined(__GNUC__)
#define FRAMEWORK_PRINTF_FORMAT(fmt, args) __attribute__((format(gnu_printf, fmt, args)))
#else
#define FRAMEWORK_PRINTF_FORMAT(fmt, args)
#endif

class CString {
public:
    CString() = default;
    CString(const char* text);  // nullptr gives the empty string
    CString(const char* text, int length);
    CString(const std::string& text) : m_text(text) {}
    CString(std::string&& text) noexcept : m_text(std::move(text)) {}
    CString(char ch, int repeat);

    CString& operator=(const char* text);
    CString& operator=(const std::string& text);
    CString& operator=(char ch);

    // Conversions. The pointer stays valid until the string is next changed.
    operator LPCSTR() const noexcept { return m_text.c_str(); }
    const char* c_str() const noexcept { return m_text.c_str(); }
    const std::string& str() const noexcept { return m_text; }

    int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const noexcept { return m_text.empty(); }
    void Empty() noexcept { m_text.clear(); }

    // Out-of-range positions read as '\0' and are ignored when written.
    char GetAt(int index) const noexcept;
    char operator[](int index) const noexcept { return GetAt(index); }
    void SetAt(int index, char ch) noexcept;

    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    friend CString operator+(const CString& left, const CString& right);
    friend CString operator+(const CString& left, const char* right);
    friend CString operator+(const char* left, const CString& right);
    friend CString operator+(const CString& left, char right);
    friend CString operator+(char left, const CString& right);

    // Byte-wise, so CString sorts in std::map the same on every machine. The
    // overloads taking const char* exist so that comparing with a literal never
    // falls back to comparing pointers.
    friend bool operator==(const CString& left, const CString& right) noexcept { return left.m_text == right.m_text; }
    friend bool operator==(const CString& left, const char* right) noexcept { return left.Compare(right) == 0; }
    friend std::strong_ordering operator<=>(const CString& left, const CString& right) noexcept
    {
        return left.m_text.compare(right.m_text) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& left, const char* right) noexcept
    {
        return left.Compare(right) <=> 0;
    }

    // Byte-wise comparison (<0, 0, >0); CompareNoCase folds ASCII letters only,
    // so the order does not depend on the user's locale.
    int Compare(const char* text) const noexcept;
    int CompareNoCase(const char* text) const noexcept;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // -1 when not found; a start beyond the end finds nothing.
    int Find(char ch, int start = 0) const noexcept;
    int Find(const char* text, int start = 0) const noexcept;
    int FindOneOf(const char* chars) const noexcept;
    int ReverseFind(char ch) const noexcept;

    // Each returns the number of replacements or removals made.
    int Replace(char oldChar, char newChar);
    int Replace(const char* oldText, const char* newText);  // an empty oldText replaces nothing
    int Remove(char ch);
    // Insert and Delete return the new length; positions are clamped.
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& TrimLeft();                    // white space
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* chars);

    // The next token delimited by any of `delimiters`, starting at `start`;
    // `start` moves past it, and becomes -1 (with an empty result) when none is left.
    CString Tokenize(const char* delimiters, int& start) const;

    // printf-style; any result length works.
    void Format(const char* format, ...) FRAMEWORK_PRINTF_FORMAT(2, 3);
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...) FRAMEWORK_PRINTF_FORMAT(2, 3);

    // A writable buffer of at least minLength characters (plus a terminator).
    // ReleaseBuffer(-1) takes the length up to the first '\0'; a given length
    // is clamped to the buffer.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Loads a string resource of the program file; false (and an empty string)
    // when the id does not exist.
    bool LoadString(UINT id);

private:
    static std::size_t ClampIndex(int index, std::size_t size) noexcept;

    std::string m_text;
};

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& text) const noexcept { return std::hash<std::string>()(text.str()); }
};
