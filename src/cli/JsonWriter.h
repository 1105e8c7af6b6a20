#pragma once
// A small streaming JSON writer for the command line's --json output. Numbers are
// written in the shortest form that reads back to the same double; texts are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumivar::cli {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    JsonWriter& Key(std::string_view name);

    void Value(std::string_view utf8);
    void Value(const char* utf8) { Value(std::string_view(utf8)); }
    void Value(double v);
    void Value(float v) { Value(double(v)); }
    void Value(std::int64_t v);
    void Value(int v) { Value(std::int64_t(v)); }
    void Value(unsigned v) { Value(std::int64_t(v)); }
    void Bool(bool v);
    void Null();

    template <typename Range> void Array(const Range& values)
    {
        BeginArray();
        for (const auto& v : values)
            Value(v);
        EndArray();
    }

    const std::string& Text() const { return m_out; }

private:
    void BeforeValue();
    void WriteString(std::string_view s);
    void NewLine();

    std::string m_out;
    struct Level {
        bool IsArray = false;
        int Count = 0;
    };
    std::vector<Level> m_stack;
    bool m_afterKey = false;
};

} // namespace lumivar::cli
