#include "UJsonStream.h"

#include "UStandardOutput.h"

namespace {

// Printed once this much is buffered: few writes, little memory.
constexpr std::size_t BufferLimit = 1 << 16;

std::string LineBreak(std::size_t depth) {
    return "\n" + std::string(2 * depth, ' ');
}

} // namespace

TJsonStream::TJsonStream(TStandardOutput& output) : output_(output) {
    buffer_.reserve(2 * BufferLimit);
}

void TJsonStream::StartItem() {
    if (keyPending_) {
        keyPending_ = false;
        return;
    }
    if (open_.empty()) {
        return;
    }
    Append((open_.back().Empty ? "" : ",") + LineBreak(open_.size()));
    open_.back().Empty = false;
}

void TJsonStream::Begin(bool object) {
    open_.reserve(open_.size() + 1);
    StartItem();
    Append(object ? "{" : "[");
    open_.push_back(TLevel{object, true});
}

void TJsonStream::BeginArray() {
    Begin(false);
}

void TJsonStream::BeginObject() {
    Begin(true);
}

void TJsonStream::End() {
    const TLevel level = open_.back();
    const std::string close = level.Object ? "}" : "]";
    Append(level.Empty ? close : LineBreak(open_.size() - 1) + close);
    open_.pop_back();
}

void TJsonStream::Key(std::string_view name) {
    StartItem();
    Append(nlohmann::ordered_json(name).dump() + ": ");
    keyPending_ = true;
}

void TJsonStream::Value(const nlohmann::ordered_json& value) {
    // Every text is UTF-8 by now; should one slip through, it is written
    // with the replacement character instead of ending the run.
    const std::string text =
        value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    const std::string indent = LineBreak(open_.size());
    std::string indented;
    indented.reserve(text.size() + text.size() / 4);
    for (const char c : text) {
        indented += c == '\n' ? indent : std::string_view(&c, 1);
    }
    StartItem();
    Append(indented);
}

void TJsonStream::EndTo(std::size_t depth) {
    if (keyPending_) {
        Value(nullptr);
    }
    while (open_.size() > depth) {
        End();
    }
}

void TJsonStream::Append(const std::string& text) {
    buffer_ += text;
    if (buffer_.size() >= BufferLimit) {
        Flush();
    }
}

void TJsonStream::Flush(std::string_view text) {
    buffer_ += text;
    output_.Print(buffer_);
    buffer_.clear();
}
