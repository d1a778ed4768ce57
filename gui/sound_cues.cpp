// The named sound cues, synthesised into short WAV files at start-up and played with
// QSoundEffect; without an audio output the player stays silent.
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QUrl>
#include <cmath>
#include <cstring>

#include "qt_platform.h"

namespace trindel::gui {

namespace {

constexpr int kRate = 22050;

struct Cue {
    const char* name;
    double startHz, endHz, seconds;
    bool noise;
};

constexpr Cue kCues[] = {
    {"wsst", 3000, 1500, 0.12, true},
    {"upVip", 600, 1400, 0.08, false},
    {"downVip", 1400, 600, 0.08, false},
    {"bzot", 140, 110, 0.25, false},
    {"AlarmBUZZ", 440, 440, 0.3, false},
    {"Guitar", 196, 392, 0.6, false},
    {"switch", 1800, 1800, 0.03, true},
    {"piiing", 2093, 2093, 0.5, false},
    {"skid", 900, 200, 0.3, true},
    {"mark", 1200, 1200, 0.05, false},
    {"rip", 4000, 800, 0.15, true},
    {"Big Click", 1000, 1000, 0.02, true},
    {"Sample", 2500, 2500, 0.02, false},
    {"ahem", 300, 220, 0.3, false},
    {"Cat", 700, 500, 0.4, false},
    {"scream", 900, 1800, 0.4, false},
    {"buzz1", 180, 180, 0.2, false},
    {"buzz2", 220, 200, 0.2, false},
    {"buzz3", 260, 240, 0.2, false},
    {"buzz4", 300, 280, 0.2, false},
    {"buzz5", 340, 320, 0.2, false},
    // The audible timer's cues: rising for a start, level for a continuing cue, falling for a
    // stop.
    {"start", 500, 1000, 0.25, false},
    {"now", 800, 800, 0.15, false},
    {"stop", 1000, 450, 0.3, false},
    {"begin", 450, 900, 0.25, false},
    {"next", 700, 700, 0.15, false},
    {"end", 900, 400, 0.3, false},
    {"go", 600, 1200, 0.15, false},
    {"halt", 1200, 500, 0.25, false},
    {"step", 650, 650, 0.1, false},
    {"quit", 1100, 350, 0.35, false},
    {"boop", 330, 330, 0.15, false},
    {"big Click", 1000, 1000, 0.03, true},
    {"tick", 3000, 3000, 0.01, true},
    {"setup", 520, 780, 0.2, false},
    {"get on with it!", 400, 900, 0.4, false},
    {"ni!", 1500, 1500, 0.1, false},
    {"what is your name?", 600, 300, 0.5, false},
};

void put32(QByteArray& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.append(static_cast<char>(v >> (8 * i) & 0xFF));
    }
}
void put16(QByteArray& b, uint16_t v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

QByteArray synthesise(const Cue& c) {
    const int n = static_cast<int>(c.seconds * kRate);
    QByteArray wav("RIFF");
    put32(wav, static_cast<uint32_t>(36 + n * 2));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1);
    put16(wav, 1);
    put32(wav, kRate);
    put32(wav, kRate * 2);
    put16(wav, 2);
    put16(wav, 16);
    wav.append("data");
    put32(wav, static_cast<uint32_t>(n * 2));
    double phase = 0;
    uint32_t noise = 12345;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / n;
        const double hz = c.startHz + (c.endHz - c.startHz) * t;
        phase += 2 * M_PI * hz / kRate;
        double v = std::sin(phase);
        if (c.noise) {
            noise = noise * 1103515245u + 12345u;
            v = 0.5 * v + ((noise >> 16) & 0x7FFF) / 16384.0 - 1.0;
        }
        const double envelope = std::min(1.0, 20 * t) * (1.0 - t);
        put16(wav, static_cast<uint16_t>(static_cast<int16_t>(v * envelope * 9000)));
    }
    return wav;
}

}  // namespace

QtSounds::QtSounds() : dir_(std::make_unique<QTemporaryDir>()) {
    enabled_ = qEnvironmentVariableIsEmpty("TRINDEL_SILENT") && dir_->isValid() &&
               !QMediaDevices::defaultAudioOutput().isNull();
    if (!enabled_) {
        return;
    }
    for (const Cue& c : kCues) {
        const QString path = dir_->filePath(QString(c.name) + ".wav");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(synthesise(c)) < 0) {
            continue;
        }
        f.close();
        auto* effect = new QSoundEffect();
        effect->setSource(QUrl::fromLocalFile(path));
        effect->setVolume(0.4f);
        effects_[c.name] = effect;
    }
}

QtSounds::~QtSounds() {
    for (auto& [name, effect] : effects_) {
        delete effect;
    }
}

void QtSounds::play(std::string_view name) {
    played.emplace_back(name);
    if (!enabled_) {
        return;
    }
    auto it = effects_.find(std::string(name));
    if (it != effects_.end()) {
        it->second->play();
    }
}

bool QtSounds::isPlaying() {
    for (auto& [name, effect] : effects_) {
        if (effect->isPlaying()) {
            return true;
        }
    }
    return false;
}

}  // namespace trindel::gui
