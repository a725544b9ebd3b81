/* The program's version, in one place: the Windows version resource
   (QZTestResult.rc) includes this file, and builds without a version
   resource print their banner from it. Plain C preprocessor only, so that
   the resource compiler can read it. */
#ifndef QZ_DRIVER_VERSION_H
#define QZ_DRIVER_VERSION_H

#define QZ_VERSION_MAJOR 1
#define QZ_VERSION_MINOR 11

#define QZ_TEXT(x) #x
#define QZ_NUMBER_TEXT(x) QZ_TEXT(x)
#define QZ_VERSION_MAJOR_MINOR QZ_NUMBER_TEXT(QZ_VERSION_MAJOR) "." QZ_NUMBER_TEXT(QZ_VERSION_MINOR)

#define QZ_PRODUCT_NAME "QZTestResult"
#define QZ_ORIGINAL_FILENAME "QZTestResult.exe"
#define QZ_FILE_DESCRIPTION "Parse Results of QAC Analysis and Unit Tests"
#define QZ_COMPANY_NAME "The QZTestResult developers"
#define QZ_LEGAL_COPYRIGHT "Copyright (C) 2022 The QZTestResult developers"

/* The release's build date, in the form of the compiler's __DATE__ macro.
   A constant rather than __DATE__ so that builds are reproducible. */
#define QZ_BUILD_DATE "Nov 30 2022"

#endif
