#pragma once
// The standard streams as a program of ours needs them before it opens anything.

namespace tarvenix {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed, so that no file the
// program opens later (the device among them) takes its place and receives what is meant for
// standard output or error; and ignores SIGPIPE, so that writing to a closed pipe is an error
// that the program reports rather than its end. Called first thing in main(). Windows has
// neither descriptors that files take over nor SIGPIPE: there it does nothing.
void prepareStandardStreams();

} // namespace tarvenix
