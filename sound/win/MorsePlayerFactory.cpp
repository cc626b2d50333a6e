#include "sound/MorsePlayerApi.h"
#include "config/AppConfig.h"
#include "sound/win/MorsePlayer.h"

#include <utility>

namespace {
MorsePlayerFactory& Factory() {
    static MorsePlayerFactory factory;
    return factory;
}
} // namespace

void SetMorsePlayerFactory(MorsePlayerFactory factory) {
    Factory() = std::move(factory);
}

std::unique_ptr<IMorsePlayer> CreateMorsePlayer(void* window, int sampleRate, int volume, int soundType,
                                                int toneShape) {
    if (Factory())
        return Factory()(window, sampleRate, volume, soundType, toneShape);
    return std::make_unique<MorsePlayer>(static_cast<HWND>(window), sampleRate, volume, soundType, toneShape);
}

std::unique_ptr<IMorsePlayer> CreateConfiguredPlayer(void* window, AppConfig& settings) {
    return CreateMorsePlayer(window, settings.GetSPS(), settings.GetVolume(), settings.GetSoundType(),
                             settings.GetToneShape());
}
