/* The version text of the resources, "MAJOR.MINOR.PATCH", made from the
   numbers CMake passes (QOV_VERSION_MAJOR, _MINOR, _PATCH): windres hands its
   definitions to the preprocessor through a second shell, which strips the
   quotes of a string definition. Included by the .rc files: #defines only. */
#pragma once

#define QOV_STRINGIFY_TOKENS(tokens) #tokens
#define QOV_STRINGIFY(tokens) QOV_STRINGIFY_TOKENS(tokens)
#define QOV_VERSION_TEXT QOV_STRINGIFY(QOV_VERSION_MAJOR.QOV_VERSION_MINOR.QOV_VERSION_PATCH)
