#pragma once
// The sound and picture work of one open editor, kept as long as the editor
// model (a child of it): audio cleanup, music, the voiceover workflow, the
// colour grade and stabilization. Panels are made and dropped as tabs change;
// these outlive them, so a job started from a panel runs on and its failure
// stays where that panel shows it next time.
//
// Threads: main thread only.

#include "editor/AudioCleanupJobs.h"
#include "editor/GradeActions.h"
#include "editor/MusicCommands.h"
#include "editor/StabilizeActions.h"
#include "editor/VoiceoverWorkflow.h"

#include <QObject>

namespace vt {

class SoundPictureJobs final : public QObject {
    Q_OBJECT

public:
    // The model's jobs, made on first use with the real engines.
    static SoundPictureJobs& of(EditorModel& model);
    // The model's jobs when they were made; none otherwise.
    static SoundPictureJobs* find(const EditorModel& model);
    // Makes the jobs with the given parts (tests) as the model's.
    static SoundPictureJobs& install(EditorModel& model, std::unique_ptr<SoundPictureJobs> jobs);

    SoundPictureJobs(AudioCleanupJobs* cleanup, MusicCommands* music, VoiceoverWorkflow* voice, GradeActions* grade,
                     StabilizeActions* stabilize);

    AudioCleanupJobs& cleanup() const { return *cleanup_; }
    MusicCommands& music() const { return *music_; }
    VoiceoverWorkflow& voice() const { return *voice_; }
    GradeActions& grade() const { return *grade_; }
    StabilizeActions& stabilize() const { return *stabilize_; }

private:
    AudioCleanupJobs* cleanup_;
    MusicCommands* music_;
    VoiceoverWorkflow* voice_;
    GradeActions* grade_;
    StabilizeActions* stabilize_;
};

}  // namespace vt
