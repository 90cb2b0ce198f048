#pragma once

namespace quorvel::cli {

// Readies the standard streams. Descriptors 0, 1 and 2 are made sure to be open, so that no file
// the program opens later takes the place of a closed one: a closed descriptor is opened on
// /dev/null in the direction it is not used (standard input for writing, the outputs for
// reading), so that using it still fails as it would have, with EBADF. std::cout is then written
// straight to descriptor 1, keeping the reason of its first failed write for finishOutput.
void prepareStandardStreams();

// Flushes std::cout now, to keep it in order with what follows on standard error. False when
// standard output has failed.
bool flushStandardOutput();

// The program's exit status once its standard output and standard error are flushed: `status`
// when both took everything written to them, or else 1, after naming the system's reason on
// standard error when that still works ("quorvel-predict: cannot write standard output: No space
// left on device").
int finishOutput(const char* program, int status);

}  // namespace quorvel::cli
