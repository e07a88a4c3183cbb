#pragma once
// The record of the last call's outcome that ImgGetStatus and ImgErrBox report, shared by the
// files of the imaging layer.

#include <string>

namespace imgman {

// Records a failure and returns 0, the failure result of every call.
int record_failure(int status, std::string text);
void record_success();

} // namespace imgman
