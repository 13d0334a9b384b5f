// Tokenizing a book (English, and Japanese, which has no spaces), and writing and reading its
// token cache.
#include "tokenize/TextParser.h"
#include "tokenize/TokenCodec.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// About 4 MB of English: the GPL text that every Debian system carries, repeated.
const std::string& englishText()
{
    static const std::string text = [] {
        std::ifstream in("/usr/share/common-licenses/GPL-3");
        std::stringstream buffer;
        buffer << in.rdbuf();
        const std::string one = buffer.str();
        std::string all;
        while (!one.empty() && all.size() < 4'000'000) {
            all += one;
        }
        return all;
    }();
    return text;
}

void tokenizeEnglish(benchmark::State& state)
{
    const std::string& text = englishText();
    for (auto _ : state) {
        auto tokens = tavrin::TextParser::tokenize(text);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(tokenizeEnglish)->Unit(benchmark::kMillisecond);

// About 4 MB of Japanese, which goes through the dictionary word breaks: a paragraph of the
// kind a technical manual has, Latin names and a version number inside, repeated.
void tokenizeJapanese(benchmark::State& state)
{
    static const std::string text = [] {
        const std::string paragraph =
            "Debian Liveシステムは、live-buildを使って作られたイメージから起動します。"
            "このマニュアルでは、バージョン3.0の使い方を説明し、よくある問題と解決方法について"
            "触れています。詳しくはメーリングリストで質問してください。\n\n";
        std::string all;
        while (all.size() < 4'000'000) {
            all += paragraph;
        }
        return all;
    }();
    for (auto _ : state) {
        auto tokens = tavrin::TextParser::tokenize(text);
        benchmark::DoNotOptimize(tokens.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(tokenizeJapanese)->Unit(benchmark::kMillisecond);

void encodeCache(benchmark::State& state)
{
    const auto tokens = tavrin::TextParser::tokenize(englishText());
    for (auto _ : state) {
        auto json = tavrin::TokenCodec::encode(tokens);
        benchmark::DoNotOptimize(json.data());
    }
    state.counters["tokens"] = static_cast<double>(tokens.size());
}
BENCHMARK(encodeCache)->Unit(benchmark::kMillisecond);

void decodeCache(benchmark::State& state)
{
    const std::string json =
        tavrin::TokenCodec::encode(tavrin::TextParser::tokenize(englishText()));
    for (auto _ : state) {
        auto tokens = tavrin::TokenCodec::decode(json);
        if (!tokens) {
            state.SkipWithError("the cache did not decode");
            break;
        }
        benchmark::DoNotOptimize(tokens->data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(json.size()));
}
BENCHMARK(decodeCache)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
