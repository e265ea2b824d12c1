// The sound module's one entry: the program loads it when it first needs its sound.
#include "platform/qt_sound.h"
#include "platform/sound_loader.h"

extern "C" Q_DECL_EXPORT velto::SoundPlayer* velto_new_sound_player() {
    return new velto::QtSound;
}
