# Every third-party library of the program, found once. tools/setup.sh installs them.
find_package(PkgConfig REQUIRED)
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Multimedia Network Svg Test)
find_package(ICU 72 REQUIRED COMPONENTS uc i18n)
find_package(nlohmann_json 3 REQUIRED)
find_package(OpenCV 4 REQUIRED COMPONENTS core imgproc objdetect video videoio)
find_package(CURL REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
find_package(whisper REQUIRED)
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libavutil libswscale libswresample)
pkg_check_modules(FFTW3 REQUIRED IMPORTED_TARGET fftw3)
# The single-precision build of FFTW: the voice cleanup works on float samples.
pkg_check_modules(FFTW3F REQUIRED IMPORTED_TARGET fftw3f)
pkg_check_modules(POCKETSPHINX REQUIRED IMPORTED_TARGET pocketsphinx sphinxbase)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
# The English spelling dictionary and its affix rules.
pkg_check_modules(HUNSPELL REQUIRED IMPORTED_TARGET hunspell)
