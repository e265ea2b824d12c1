#include "platform/sound_names.h"

#include <array>

namespace velto {

namespace {

struct Property {
    const char* variable;
    QByteArray value;
};

std::array<Property, 4> properties(const QString& appId = {}) {
    const QByteArray id = appId.toUtf8();
    return {{
        {"PULSE_PROP_OVERRIDE_application.name", "Velto"},
        {"PULSE_PROP_OVERRIDE_application.id", id},
        {"PULSE_PROP_OVERRIDE_application.icon_name", id},
        {"PULSE_PROP_media.role", "event"},
    }};
}

} // namespace

void nameSoundStreams(const QString& appId) {
    for (const Property& p : properties(appId)) {
        if (!qEnvironmentVariableIsSet(p.variable)) {
            qputenv(p.variable, p.value);
        }
    }
}

SoundNamesHidden::SoundNamesHidden() {
    // Set by us or by whoever started the clock: meant for the clock either way.
    for (const Property& p : properties()) {
        if (qEnvironmentVariableIsSet(p.variable)) {
            hidden_.emplace_back(p.variable, qgetenv(p.variable));
            qunsetenv(p.variable);
        }
    }
}

SoundNamesHidden::~SoundNamesHidden() {
    for (const auto& [variable, value] : hidden_) {
        qputenv(variable, value);
    }
}

} // namespace velto
