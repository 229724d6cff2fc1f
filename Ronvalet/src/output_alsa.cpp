// An ALSA sequencer port as output: "alsa:CLIENT:PORT" connects to that port.
#include "output.h"

#include "trace.h"

#if RONVALET_HAVE_ALSA
#include <alsa/asoundlib.h>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#endif

namespace ronvalet {

#if RONVALET_HAVE_ALSA
namespace {

constexpr int kChannels = 16;
constexpr int kAllNotesOff = 123;  // controller numbers sent by reset
constexpr int kResetControllers = 121;

class AlsaOutput final : public MidiOutput {
  public:
    ~AlsaOutput() override { close(); }

    bool open(const char* address) {
        if (snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0) {
            seq_ = nullptr;
            trace("alsa: cannot open the sequencer\n");
            return false;
        }
        snd_seq_set_client_name(seq_, "Ronvalet");
        port_ = snd_seq_create_simple_port(seq_, "Ronvalet out",
                                           SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC);
        snd_seq_addr_t dest;
        if (port_ < 0 || snd_seq_parse_address(seq_, &dest, address) < 0 ||
            snd_seq_connect_to(seq_, port_, dest.client, dest.port) < 0) {
            trace("alsa: cannot connect to %s\n", address);
            return false;
        }
        return true;
    }

    bool shortMessage(uint32_t message) override {
        snd_seq_event_t ev;
        begin(ev);
        int channel = message & 0x0F;
        int d1 = message >> 8 & 0x7F;
        int d2 = message >> 16 & 0x7F;
        switch (message & 0xF0) {
            case 0x80:
                snd_seq_ev_set_noteoff(&ev, channel, d1, d2);
                break;
            case 0x90:
                snd_seq_ev_set_noteon(&ev, channel, d1, d2);
                break;
            case 0xA0:
                snd_seq_ev_set_keypress(&ev, channel, d1, d2);
                break;
            case 0xB0:
                snd_seq_ev_set_controller(&ev, channel, d1, d2);
                break;
            case 0xC0:
                snd_seq_ev_set_pgmchange(&ev, channel, d1);
                break;
            case 0xD0:
                snd_seq_ev_set_chanpress(&ev, channel, d1);
                break;
            case 0xE0:
                snd_seq_ev_set_pitchbend(&ev, channel, (d1 | d2 << 7) - 8192);
                break;
            default:
                return false;
        }
        return send(ev);
    }

    bool longMessage(const SysexHeader& header) override {
        if (!header.prepared) return false;
        snd_seq_event_t ev;
        begin(ev);
        snd_seq_ev_set_sysex(&ev, header.size, const_cast<uint8_t*>(header.bytes));
        return send(ev);
    }

    bool reset() override {
        bool ok = true;
        for (int channel = 0; channel < kChannels; ++channel) {
            uint32_t base = 0xB0 + uint32_t(channel);
            ok &= shortMessage(base | kAllNotesOff << 8);
            ok &= shortMessage(base | kResetControllers << 8);
        }
        return ok;
    }

    bool close() override {
        std::lock_guard lock(mutex_);
        if (seq_ == nullptr) return true;
        bool ok = snd_seq_close(seq_) == 0;
        seq_ = nullptr;
        return ok;
    }

  private:
    void begin(snd_seq_event_t& ev) const {
        snd_seq_ev_clear(&ev);
        snd_seq_ev_set_source(&ev, port_);
        snd_seq_ev_set_subs(&ev);
        snd_seq_ev_set_direct(&ev);
    }
    bool send(snd_seq_event_t& ev) {
        std::lock_guard lock(mutex_);
        if (seq_ == nullptr) return false;
        return snd_seq_event_output_direct(seq_, &ev) >= 0;
    }

    std::mutex mutex_;  // the sequencer handle is not safe for two threads
    snd_seq_t* seq_ = nullptr;
    int port_ = -1;
};

}  // namespace

namespace {
void alsaError(const char* file, int line, const char* function, int, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    trace("alsa (%s:%d %s): %s\n", file, line, function, text);
}
}  // namespace

void routeAlsaErrorsToTrace(bool on) {
    snd_lib_error_set_handler(on ? alsaError : nullptr);
}

std::unique_ptr<MidiOutput> makeAlsaOutput(const char* address) {
    auto out = std::make_unique<AlsaOutput>();
    if (!out->open(address)) return nullptr;
    return out;
}
#else
void routeAlsaErrorsToTrace(bool) {}

std::unique_ptr<MidiOutput> makeAlsaOutput(const char* address) {
    trace("alsa:%s: this library was built without ALSA\n", address);
    return nullptr;
}
#endif

}  // namespace ronvalet
