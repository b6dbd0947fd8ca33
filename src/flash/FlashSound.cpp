// SPDX-License-Identifier: MIT
#include "FlashSound.h"

#include "FlashWave.h"
#include "WaveImage.h"

#include <algorithm>
#include <mutex>
#include <pulse/pulseaudio.h>

namespace tktime32 {

namespace {

constexpr WaveImage Flash = parseWave(flashWave, sizeof flashWave);

// Callers know the sound by its size and format; the build breaks rather than
// ship another.
static_assert(sizeof flashWave == 172076, "the flash sound is a 172,076-byte WAVE file");
static_assert(Flash.valid && Flash.formatTag == 1 && Flash.channels == 2 && Flash.sampleRate == 44100 &&
                  Flash.bitsPerSample == 16 && Flash.dataBytes == 172032,
              "the flash sound is 16-bit stereo PCM at 44.1 kHz with 172,032 bytes of samples");

// Owns the sound thread (a PulseAudio threaded main loop), its connection and
// the one stream that may be playing. Every pa_* object is touched with the
// loop's lock held: callbacks run on the loop's thread, which holds it.
class Player
{
public:
    Player() = default;
    Player(const Player &) = delete;
    Player &operator=(const Player &) = delete;
    ~Player();

    void play();

private:
    bool startLoop();
    void connect();
    void startStream();
    void stopStream();

    static void onContextState(pa_context *context, void *self);
    static void onWritable(pa_stream *stream, size_t bytes, void *self);
    static void onDrained(pa_stream *stream, int success, void *self);
    static void onAbandonedState(pa_stream *stream, void *);

    std::mutex m_calls; // one call at a time, and none during teardown
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    pa_operation *m_drain = nullptr;
    size_t m_written = 0;
    bool m_wanted = false; // a sound is to start once the connection is up
};

Player::~Player()
{
    std::lock_guard guard(m_calls);
    if (!m_loop)
        return;
    // Joins the loop's thread: after this no callback of ours runs, and what
    // remains is torn down from here alone.
    pa_threaded_mainloop_stop(m_loop);
    stopStream();
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
    }
    pa_threaded_mainloop_free(m_loop);
}

void Player::play()
{
    std::lock_guard guard(m_calls);
    if (!startLoop())
        return;
    pa_threaded_mainloop_lock(m_loop);
    stopStream();
    // A connection that failed (no server then, or it went away) is replaced:
    // a server may have started since.
    if (m_context && !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context))) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    if (!m_context)
        connect();
    m_wanted = m_context != nullptr;
    if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
        startStream();
    pa_threaded_mainloop_unlock(m_loop);
}

bool Player::startLoop()
{
    if (m_loop)
        return true;
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return false;
    pa_threaded_mainloop_set_name(m_loop, "tktime32-sound");
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
        return false;
    }
    return true;
}

void Player::connect()
{
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    m_context = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(m_loop), "tktime32", properties);
    pa_proplist_free(properties);
    if (!m_context)
        return;
    pa_context_set_state_callback(m_context, onContextState, this);
    // Never start a server of our own: without one there is simply no sound.
    // Connecting goes on in the background; the state callback starts the
    // sound once it is up.
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
}

void Player::startStream()
{
    m_wanted = false;
    static constexpr pa_sample_spec Format {PA_SAMPLE_S16LE, Flash.sampleRate, uint8_t(Flash.channels)};
    pa_proplist *properties = pa_proplist_new();
    pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "event");
    m_stream = pa_stream_new_with_proplist(m_context, "Flash", &Format, nullptr, properties);
    pa_proplist_free(properties);
    if (!m_stream)
        return;
    m_written = 0;
    pa_stream_set_write_callback(m_stream, onWritable, this);
    // A server buffer as long as the sound, so it is handed over in one piece
    // and plays without waiting on this thread.
    pa_buffer_attr buffer;
    buffer.maxlength = uint32_t(-1);
    buffer.tlength = uint32_t(Flash.dataBytes);
    buffer.prebuf = uint32_t(-1);
    buffer.minreq = uint32_t(-1);
    buffer.fragsize = uint32_t(-1);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        stopStream();
}

// Stops the sound at once (the server drops what it still holds of it).
void Player::stopStream()
{
    if (m_drain) {
        pa_operation_cancel(m_drain);
        pa_operation_unref(m_drain);
        m_drain = nullptr;
    }
    if (!m_stream)
        return;
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    switch (pa_stream_get_state(m_stream)) {
    case PA_STREAM_CREATING:
        // The server has not confirmed it yet, so it cannot be disconnected:
        // it closes itself once confirmed, and keeps our reference till then.
        pa_stream_set_state_callback(m_stream, onAbandonedState, nullptr);
        break;
    case PA_STREAM_READY:
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        break;
    default:
        // Never connected, or already cut off (the server went away).
        pa_stream_unref(m_stream);
        break;
    }
    m_stream = nullptr;
}

void Player::onAbandonedState(pa_stream *stream, void *)
{
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        pa_stream_disconnect(stream);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        pa_stream_set_state_callback(stream, nullptr, nullptr);
        pa_stream_unref(stream);
        break;
    default:
        break;
    }
}

void Player::onContextState(pa_context *context, void *self)
{
    auto *player = static_cast<Player *>(self);
    if (player->m_wanted && pa_context_get_state(context) == PA_CONTEXT_READY)
        player->startStream();
}

void Player::onWritable(pa_stream *stream, size_t bytes, void *self)
{
    auto *player = static_cast<Player *>(self);
    const size_t count = std::min(bytes, Flash.dataBytes - player->m_written);
    if (count > 0) {
        pa_stream_write(stream, flashWave + Flash.dataOffset + player->m_written, count, nullptr, 0, PA_SEEK_RELATIVE);
        player->m_written += count;
    }
    if (player->m_written == Flash.dataBytes) {
        // All handed over: let it play out, then close the stream.
        pa_stream_set_write_callback(stream, nullptr, nullptr);
        player->m_drain = pa_stream_drain(stream, onDrained, player);
    }
}

void Player::onDrained(pa_stream *, int, void *self)
{
    auto *player = static_cast<Player *>(self);
    if (player->m_drain) {
        pa_operation_unref(player->m_drain);
        player->m_drain = nullptr;
    }
    player->stopStream();
}

} // namespace

void playFlashSound()
{
    // Destroyed when the library is unloaded or the process exits.
    static Player player;
    player.play();
}

} // namespace tktime32
