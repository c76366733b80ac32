// Refuses a second device operation while one runs: every operation takes the guard first, and
// a window asks busy() before it touches the device on its own.
#pragma once

namespace veltra {

class DeviceBusy {
  public:
    class Guard {
      public:
        explicit Guard(DeviceBusy& busy) : busy_(busy), owns_(!busy.busy_) { busy_.busy_ = true; }
        ~Guard() {
            if (owns_) busy_.busy_ = false;
        }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        // False when another operation already runs: the caller must not go on.
        explicit operator bool() const { return owns_; }

      private:
        DeviceBusy& busy_;
        bool owns_;
    };
    bool busy() const { return busy_; }

  private:
    bool busy_ = false;
};

}  // namespace veltra
