#include "framework/String.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char kWhiteSpace[] = " \t\r\n\v\f";

char AsciiLower(char ch) noexcept
{
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

char AsciiUpper(char ch) noexcept
{
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

const char* OrEmpty(const char* text) noexcept
{
    return text ? text : "";
}

}  // namespace

CString::CString(const char* text) : m_text(OrEmpty(text)) {}

CString::CString(const char* text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<std::size_t>(repeat), ch);
}

CString& CString::operator=(const char* text)
{
    // Self-assignment from our own c_str() is fine: std::string::assign copes.
    m_text.assign(OrEmpty(text));
    return *this;
}

CString& CString::operator=(const std::string& text)
{
    m_text = text;
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

std::size_t CString::ClampIndex(int index, std::size_t size) noexcept
{
    if (index <= 0)
        return 0;
    return std::min(static_cast<std::size_t>(index), size);
}

char CString::GetAt(int index) const noexcept
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_text.size())
        return '\0';
    return m_text[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char ch) noexcept
{
    if (index >= 0 && static_cast<std::size_t>(index) < m_text.size())
        m_text[static_cast<std::size_t>(index)] = ch;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    m_text += OrEmpty(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& left, const CString& right)
{
    return CString(left.m_text + right.m_text);
}

CString operator+(const CString& left, const char* right)
{
    return CString(left.m_text + OrEmpty(right));
}

CString operator+(const char* left, const CString& right)
{
    return CString(OrEmpty(left) + right.m_text);
}

CString operator+(const CString& left, char right)
{
    return CString(left.m_text + right);
}

CString operator+(char left, const CString& right)
{
    return CString(left + right.m_text);
}

int CString::Compare(const char* text) const noexcept
{
    return std::strcmp(m_text.c_str(), OrEmpty(text));
}

int CString::CompareNoCase(const char* text) const noexcept
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_text.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(OrEmpty(text));
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(AsciiLower(static_cast<char>(*a)));
        const unsigned char cb = static_cast<unsigned char>(AsciiLower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

CString CString::Mid(int first) const
{
    const std::size_t start = ClampIndex(first, m_text.size());
    return CString(m_text.substr(start));
}

CString CString::Mid(int first, int count) const
{
    const std::size_t start = ClampIndex(first, m_text.size());
    if (count <= 0)
        return CString();
    return CString(m_text.substr(start, static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const
{
    return CString(m_text.substr(0, ClampIndex(count, m_text.size())));
}

CString CString::Right(int count) const
{
    const std::size_t n = ClampIndex(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

int CString::Find(char ch, int start) const noexcept
{
    if (start < 0)
        start = 0;
    const std::size_t pos = m_text.find(ch, static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* text, int start) const noexcept
{
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) > m_text.size())
        return -1;
    const std::size_t pos = m_text.find(OrEmpty(text), static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* chars) const noexcept
{
    if (!chars || !*chars)
        return -1;
    const std::size_t pos = m_text.find_first_of(chars);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const noexcept
{
    const std::size_t pos = m_text.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(char oldChar, char newChar)
{
    int count = 0;
    for (char& ch : m_text) {
        if (ch == oldChar) {
            ch = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    const std::string from = OrEmpty(oldText);
    const std::string to = OrEmpty(newText);
    if (from.empty())
        return 0;
    // Built into a new string so that a replacement containing the searched
    // text is not searched again.
    std::string result;
    int count = 0;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = m_text.find(from, pos);
        if (hit == std::string::npos)
            break;
        result.append(m_text, pos, hit - pos);
        result += to;
        pos = hit + from.size();
        ++count;
    }
    if (count > 0) {
        result.append(m_text, pos, std::string::npos);
        m_text.swap(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    const std::size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch)
{
    m_text.insert(ClampIndex(index, m_text.size()), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    m_text.insert(ClampIndex(index, m_text.size()), OrEmpty(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (count > 0 && static_cast<std::size_t>(index) < m_text.size())
        m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (char& ch : m_text)
        ch = AsciiUpper(ch);
    return *this;
}

CString& CString::MakeLower()
{
    for (char& ch : m_text)
        ch = AsciiLower(ch);
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhiteSpace);
}

CString& CString::TrimLeft(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(const char* chars)
{
    const std::size_t first = m_text.find_first_not_of(OrEmpty(chars));
    m_text.erase(0, first == std::string::npos ? m_text.size() : first);
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = {ch, '\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(const char* chars)
{
    const std::size_t last = m_text.find_last_not_of(OrEmpty(chars));
    m_text.erase(last == std::string::npos ? 0 : last + 1);
    return *this;
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(const char* chars)
{
    return TrimRight(chars).TrimLeft(chars);
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || static_cast<std::size_t>(start) >= m_text.size()) {
        start = -1;
        return CString();
    }
    const char* delims = OrEmpty(delimiters);
    const std::size_t first = m_text.find_first_not_of(delims, static_cast<std::size_t>(start));
    if (first == std::string::npos) {
        start = -1;
        return CString();
    }
    std::size_t end = m_text.find_first_of(delims, first);
    if (end == std::string::npos)
        end = m_text.size();
    start = static_cast<int>(end == m_text.size() ? end : end + 1);
    return CString(m_text.substr(first, end - first));
}

void CString::FormatV(const char* format, va_list args)
{
    if (!format) {
        m_text.clear();
        return;
    }
    std::vector<char> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int written = std::vsnprintf(buffer.data(), buffer.size(), format, copy);
        va_end(copy);
        if (written >= 0 && static_cast<std::size_t>(written) < buffer.size()) {
            m_text.assign(buffer.data(), static_cast<std::size_t>(written));
            return;
        }
        // A C99 vsnprintf tells the size needed; an older one only says "too small".
        std::size_t next = written >= 0 ? static_cast<std::size_t>(written) + 1 : buffer.size() * 2;
        if (next > (std::size_t{1} << 30)) {  // a runaway format: keep what fits rather than loop
            m_text.assign(buffer.data(), std::strlen(buffer.data()));
            return;
        }
        buffer.resize(next);
    }
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_text += tail.m_text;
}

char* CString::GetBuffer(int minLength)
{
    if (minLength > 0 && static_cast<std::size_t>(minLength) > m_text.size())
        m_text.resize(static_cast<std::size_t>(minLength), '\0');
    return m_text.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        // The buffer is always terminated one past its size, so this stops in time.
        m_text.resize(std::strlen(m_text.c_str()));
    } else {
        m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
    }
}

bool CString::LoadString(UINT id)
{
    // LoadStringA truncates silently; grow until the text fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const int copied = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer.data(),
                                         static_cast<int>(buffer.size()));
        if (copied <= 0) {
            m_text.clear();
            return false;
        }
        if (static_cast<std::size_t>(copied) < buffer.size() - 1 || buffer.size() >= 65536) {
            m_text.assign(buffer.data(), static_cast<std::size_t>(copied));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}
