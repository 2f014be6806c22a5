#pragma once
// Keeps a sound output on a device while devices come and go: when the one
// in use disappears the output is reopened on the system's default device,
// and with none left it plays silently and tries again until one appears.
namespace platform {

enum class OutputChange {
    none,
    moved,  // the device went away; the output now plays on the default one
    lost,   // the device went away and no other could be had: silent
    found,  // a device was had again after a silent spell
};

class OutputFollower {
public:
    // What the follower asks of the output it keeps.
    class Output {
    public:
        virtual ~Output() = default;
        virtual void close_device() = 0;
        // Opens the system's default device; false when there is none.
        virtual bool open_default_device() = 0;
    };

    static constexpr double retry_interval_ms = 500.0;

    void device_removed() { removed_ = true; }
    void device_added() { added_ = true; }
    bool silent() const { return silent_; }

    // Acts on what was seen since the last call.
    OutputChange update(double now_ms, Output& output);

private:
    bool removed_ = false;
    bool added_ = false;
    bool silent_ = false;
    double next_try_ms_ = 0.0;
};

}  // namespace platform
