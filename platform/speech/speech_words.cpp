#include <libspeechd.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "platform/words.h"

namespace platform {
namespace {

// One thing for the speech thread to do: say a text, or stop all saying first.
struct Utterance {
    bool cancel_first = false;
    std::string text;
};

// Everything the service is asked goes through one thread of its own, so a
// slow or missing service never holds up a frame.
class SpeechWords final : public Words {
public:
    explicit SpeechWords(std::function<void(std::string_view)> log)
        : log_(std::move(log)), worker_([this] { run(); }) {}

    SpeechWords(const SpeechWords&) = delete;
    SpeechWords& operator=(const SpeechWords&) = delete;

    ~SpeechWords() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        worker_.join();
    }

    void text(std::string_view words) override { say(words, starts_screen()); }

    void choices(std::string_view heading, const std::vector<std::string>& options) override {
        say(heading, starts_screen());
        for (std::size_t i = 0; i < options.size(); ++i) say(numbered(static_cast<int>(i) + 1, options[i]), false);
        screen_done_ = true;
    }

    void highlight(int number, std::string_view option) override { say(numbered(number, option), true); }

    void prompt(std::string_view text) override {
        say(text, starts_screen());
        screen_done_ = true;
    }

    void hush() override { enqueue({true, {}}); }

private:
    static std::string numbered(int number, std::string_view option) {
        return std::to_string(number) + ". " + std::string(option);
    }

    // The first words after a menu or a prompt belong to a new screen, which
    // cuts off whatever is still being read of the old one.
    bool starts_screen() { return std::exchange(screen_done_, false); }

    void say(std::string_view text, bool cancel_first) {
        if (!text.empty()) enqueue({cancel_first, std::string(text)});
    }

    void enqueue(Utterance utterance) {
        if (failed_) {
            if (!logged_) log_("No speech service: playing without speech");
            logged_ = true;
            return;
        }
        {
            const std::lock_guard lock(mutex_);
            if (utterance.cancel_first) queue_.clear();
            queue_.push_back(std::move(utterance));
        }
        wake_.notify_one();
    }

    void run() {
        char* error = nullptr;
        SPDConnection* connection = spd_open2("marlowick", "game", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
        std::free(error);
        if (connection == nullptr) {
            failed_ = true;
            return;
        }
        for (;;) {
            Utterance next;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
                if (stopping_) break;
                next = std::move(queue_.front());
                queue_.pop_front();
            }
            if (next.cancel_first) spd_cancel(connection);
            if (!next.text.empty()) spd_say(connection, SPD_TEXT, next.text.c_str());
        }
        spd_close(connection);
    }

    std::function<void(std::string_view)> log_;
    bool screen_done_ = true;
    bool logged_ = false;
    std::atomic<bool> failed_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Utterance> queue_;
    bool stopping_ = false;
    std::thread worker_;  // last: it starts once everything above is ready
};

}  // namespace

std::unique_ptr<Words> make_speech_words(std::function<void(std::string_view)> log) {
    return std::make_unique<SpeechWords>(std::move(log));
}

}  // namespace platform
