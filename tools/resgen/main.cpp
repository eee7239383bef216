// The build's resource generator. "clips DIR" writes the ten clips and the resource list
// that embeds them; "data DIR" writes the data files, sounds and pictures of a new
// program folder. It writes only into DIR and fails loudly on any error.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <exception>

#include "data_files.h"
#include "persona.h"
#include "pictures.h"
#include "platform/sound_clips.h"
#include "synth.h"

namespace {

void WriteBytes(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write " + path.toStdString());
}

void MakeDir(const QString& path) {
    if (!QDir().mkpath(path)) throw std::runtime_error("cannot create " + path.toStdString());
}

void WriteClips(const QString& dir) {
    MakeDir(dir);
    QString qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/sounds\">\n";
    for (const auto& clip : korbo::platform::kResourceClips) {
        const size_t samples = static_cast<size_t>(clip.Bytes - korbo::platform::kWavHeaderBytes) / 2;
        const auto bytes = resgen::EncodeWav(resgen::MakeClip(clip.Id, samples));
        if (bytes.size() != static_cast<size_t>(clip.Bytes))
            throw std::runtime_error("clip " + std::to_string(clip.Id) + " came out the wrong size");
        const QString name = QString::number(clip.Id) + ".wav";
        WriteBytes(dir + "/" + name, bytes);
        qrc += "  <file>" + name + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    QFile f(dir + "/korbo_clips.qrc");
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write the resource list");
    f.write(qrc.toUtf8());
}

void SaveImage(const QImage& img, const QString& path, const char* format = "JPG") {
    if (!img.save(path, format, 92)) throw std::runtime_error("cannot write " + path.toStdString());
}

// The second persona and the custom comment set, in the users folder, with the persona's
// sounds and avatar beside the built-in ones.
void WritePersona(const QString& dir) {
    MakeDir(dir + "/users");
    const QString persona = QString::fromUtf8(resgen::kPersonaName);
    WriteBytes(dir + "/users/" + persona + ".pms", resgen::PersonaFile());
    WriteBytes(dir + "/users/" + QString::fromUtf8(resgen::kCommentSetName) + ".cmt", resgen::CustomCommentFile());
    for (const auto& name : resgen::PersonaSoundNames())
        WriteBytes(dir + "/Sounds/" + QString::fromStdString(name), resgen::EncodeWav(resgen::MakePersonaSound(name)));
    SaveImage(resgen::PersonaPicture(0), dir + "/Avatars/" + QString::fromUtf8(resgen::kPersonaPicture));
    for (int n = 1; n <= 7; ++n)
        SaveImage(resgen::PersonaPicture(n), dir + "/users/" + persona + QString::number(n) + ".jpg");
}

void WriteData(const QString& dir) {
    MakeDir(dir + "/Sounds");
    MakeDir(dir + "/Avatars");
    MakeDir(dir + "/backgrounds");
    WriteBytes(dir + "/score.ran", resgen::ScoreFile());
    WriteBytes(dir + "/snack.ade", resgen::BuiltInCommentFile());
    WriteBytes(dir + "/wav.ran", resgen::SoundSchemeFile());
    auto names = resgen::EventSoundNames();
    names.push_back("intro.wav");
    names.push_back("loser.wav");
    for (const auto& name : names)
        WriteBytes(dir + "/Sounds/" + QString::fromStdString(name), resgen::EncodeWav(resgen::MakeEventSound(name)));
    SaveImage(resgen::KorboAvatar(), dir + "/Avatars/Korbo.jpg");
    SaveImage(resgen::WoodTile(), dir + "/backgrounds/tile_wood.jpg");
    SaveImage(resgen::FeltTile(), dir + "/backgrounds/tile_felt.jpg");
    SaveImage(resgen::DuskHills(), dir + "/backgrounds/dusk.jpg");
    SaveImage(resgen::NightSky().convertToFormat(QImage::Format_RGB888), dir + "/backgrounds/stars.bmp", "BMP");
    WritePersona(dir);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);  // for the JPEG writer
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != "clips" && args[1] != "data")) {
        std::fprintf(stderr, "usage: korbo_resgen clips|data DIR\n");
        return 2;
    }
    try {
        if (args[1] == "clips")
            WriteClips(args[2]);
        else
            WriteData(args[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korbo_resgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
