#pragma once
// Work that only prepares pictures or sound ahead of time (the preview's
// frames, a rebuilt composition) runs beside the window's thread; on a busy
// or small machine it must not hold up the answer to a key or a click.

namespace vt::ThreadPriority {

// Lowers the calling thread's priority under the window's, so it gets the
// processor when the window's thread is idle; playback still has it all
// when nothing else runs. Failure leaves the priority as it was.
void yieldToInput();

}  // namespace vt::ThreadPriority
