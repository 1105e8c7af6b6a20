#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumivar::cli {

void JsonWriter::NewLine()
{
    m_out += '\n';
    m_out.append(2 * m_stack.size(), ' ');
}

void JsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_stack.empty()) {
        if (m_stack.back().Count++ > 0)
            m_out += ',';
        NewLine();
    }
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    m_out += '{';
    m_stack.push_back({false, 0});
}

void JsonWriter::EndObject()
{
    const bool empty = m_stack.back().Count == 0;
    m_stack.pop_back();
    if (!empty)
        NewLine();
    m_out += '}';
    if (m_stack.empty())
        m_out += '\n';
}

void JsonWriter::BeginArray()
{
    BeforeValue();
    m_out += '[';
    m_stack.push_back({true, 0});
}

void JsonWriter::EndArray()
{
    const bool empty = m_stack.back().Count == 0;
    m_stack.pop_back();
    if (!empty)
        NewLine();
    m_out += ']';
}

JsonWriter& JsonWriter::Key(std::string_view name)
{
    BeforeValue();
    WriteString(name);
    m_out += ": ";
    m_afterKey = true;
    return *this;
}

void JsonWriter::Value(std::string_view s)
{
    BeforeValue();
    WriteString(s);
}

void JsonWriter::WriteString(std::string_view s)
{
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    m_out += out;
}

void JsonWriter::Value(double v)
{
    BeforeValue();
    if (!std::isfinite(v)) {
        m_out += "null";
        return;
    }
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    m_out.append(buf, r.ptr);
}

void JsonWriter::Value(std::int64_t v)
{
    BeforeValue();
    m_out += std::to_string(v);
}

void JsonWriter::Bool(bool v)
{
    BeforeValue();
    m_out += v ? "true" : "false";
}

void JsonWriter::Null()
{
    BeforeValue();
    m_out += "null";
}

} // namespace lumivar::cli
