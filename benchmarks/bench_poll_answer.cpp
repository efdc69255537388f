// parsePollAnswer runs once per listed player on every refresh. The baseline is one
// std::string_view::find pass over the same answer for a needle that never occurs: the
// least any parser that reads the whole answer must spend.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "lookup/poll_answer.h"
#include "tests/lookup/poll_answer_fixture.h"

namespace {

constexpr char kBase[] = "http://127.0.0.1:8730";

const std::string& tenPlayerAnswer() {
    static const std::string answer = [] {
        fixture::Game game = fixture::tenPlayerGame();
        game.itemsPerPlayer = 12;
        return fixture::pollAnswer(game, kBase);
    }();
    return answer;
}

void parseTenPlayerAnswer(benchmark::State& state) {
    const std::string& answer = tenPlayerAnswer();
    for (auto _ : state) {
        PollOutcome outcome = parsePollAnswer(answer, kBase);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * answer.size());
    state.counters["answer_bytes"] = static_cast<double>(answer.size());
}
BENCHMARK(parseTenPlayerAnswer);

void findOnceBaseline(benchmark::State& state) {
    const std::string& answer = tenPlayerAnswer();
    std::string_view view = answer;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.data());
        std::size_t at = view.find("<never-in-an-answer>");
        benchmark::DoNotOptimize(at);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * answer.size());
}
BENCHMARK(findOnceBaseline);

}  // namespace
