// JSON written piece by piece as it is made, laid out exactly as nlohmann's
// dump with an indent of two: a run of a million data sets is never held as
// one document, only the value at hand and a small buffer.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TStandardOutput;

class TJsonStream {
public:
    explicit TJsonStream(TStandardOutput& output);

    // An array or object opened as the next value; End closes the innermost.
    void BeginArray();
    void BeginObject();
    void End();
    // The next member's name, in an object; its value follows.
    void Key(std::string_view name);
    // A whole value, small enough to be made at once.
    void Value(const nlohmann::ordered_json& value);

    // How many arrays and objects are open.
    std::size_t Depth() const { return open_.size(); }
    // Closes what is open until `depth` are left; a member whose value was
    // never written gets null, so the text stays valid JSON.
    void EndTo(std::size_t depth);
    // Prints what is buffered, followed by `text`.
    void Flush(std::string_view text = {});

private:
    struct TLevel {
        bool Object = false;
        bool Empty = true;
    };

    // The separator and line break before the next member or element.
    void StartItem();
    void Begin(bool object);
    void Append(const std::string& text);

    TStandardOutput& output_;
    std::vector<TLevel> open_;
    bool keyPending_ = false;
    std::string buffer_;
};
