// Cost of one audio callback of the sound mixer: 1024 output frames with
// several buffers playing, at the output rate and resampled.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/pcm_mixer.h"

namespace {

void mix_buffers(benchmark::State& state) {
    const int voices = static_cast<int>(state.range(0));
    const int rate = static_cast<int>(state.range(1));
    auto mixer = platform::PcmMixer::create();
    const std::vector<std::uint8_t> samples(static_cast<std::size_t>(rate) * 4 * 10, 0x40);  // 10 s stereo
    std::vector<std::unique_ptr<platform::SoundBuffer>> buffers;
    for (int i = 0; i < voices; ++i) {
        buffers.push_back(mixer->create_buffer({2, rate, 16, 4}, samples, true));
        buffers.back()->set_volume(-600);
        buffers.back()->play();
    }
    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
        mixer->mix_into(out);
        benchmark::DoNotOptimize(out.data());
        for (auto& buffer : buffers) {
            if (!buffer->status()->playing) buffer->play();  // keep every buffer busy
        }
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}

}  // namespace

BENCHMARK(mix_buffers)->Args({1, 22050})->Args({8, 22050})->Args({8, 11025})->Args({8, 44100});
BENCHMARK_MAIN();
