#include "editor/SoundPictureJobs.h"

namespace vt {

SoundPictureJobs::SoundPictureJobs(AudioCleanupJobs* cleanup, MusicCommands* music, VoiceoverWorkflow* voice,
                                   GradeActions* grade, StabilizeActions* stabilize)
    : cleanup_(cleanup), music_(music), voice_(voice), grade_(grade), stabilize_(stabilize)
{
    for (QObject* part : std::initializer_list<QObject*>{cleanup, music, voice, grade, stabilize}) part->setParent(this);
}

SoundPictureJobs* SoundPictureJobs::find(const EditorModel& model)
{
    return model.findChild<SoundPictureJobs*>(QString(), Qt::FindDirectChildrenOnly);
}

SoundPictureJobs& SoundPictureJobs::install(EditorModel& model, std::unique_ptr<SoundPictureJobs> jobs)
{
    delete find(model);
    jobs->setParent(&model);
    return *jobs.release();
}

SoundPictureJobs& SoundPictureJobs::of(EditorModel& model)
{
    if (auto* jobs = find(model)) return *jobs;
    return install(model, std::make_unique<SoundPictureJobs>(new AudioCleanupJobs(model), new MusicCommands(model),
                                                             new VoiceoverWorkflow(model), new GradeActions(model),
                                                             new StabilizeActions(model)));
}

}  // namespace vt
