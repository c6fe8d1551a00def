# Writes OUT/NAME.zip and OUT/SHA256SUMS: a folder NAME holding TARVIK and NORLAK stripped of their
# symbols, and every file of SOURCE_DIR/package/ (README.txt, examples/) with CR LF line ends,
# README.txt with the recipes put in.
# The same inputs give the same bytes on any machine: no link time in the executables, every entry
# dated at the commit's time (or SOURCE_DATE_EPOCH), in UTC, in a fixed order, with fixed
# permissions and no owner.
# Usage: cmake -DTARVIK=... -DNORLAK=... -DOUT=... -DNAME=... -DSTRIP=... -DSOURCE_DIR=... -P make_zip.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/zip_common.cmake)
tarvik_zip_epoch(epoch ${SOURCE_DIR})

set(stage ${OUT}/zip-stage)
set(top ${stage}/${NAME})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${top})

foreach(program IN ITEMS TARVIK NORLAK)
    get_filename_component(file_name ${${program}} NAME)
    tarvik_strip_to(${${program}} ${top}/${file_name} ${STRIP})
endforeach()

# The texts are kept with LF in the repository; Notepad and cmd want CR LF.
file(GLOB_RECURSE texts RELATIVE ${SOURCE_DIR}/package ${SOURCE_DIR}/package/*)
foreach(text IN LISTS texts)
    file(READ ${SOURCE_DIR}/package/${text} content)
    string(REPLACE "\r\n" "\n" content "${content}")
    # A line "@examples/NAME@" stands for that file's text, so README.txt shows the very recipes.
    string(REGEX MATCHALL "@examples/[^@\n]+@" references "${content}")
    foreach(reference IN LISTS references)
        string(REGEX REPLACE "^@(.*)@$" "\\1" included "${reference}")
        file(READ ${SOURCE_DIR}/package/${included} recipe)
        string(REPLACE "${reference}\n" "${recipe}" content "${content}")
    endforeach()
    string(REPLACE "\n" "\r\n" content "${content}")
    file(WRITE ${top}/${text} "${content}")
endforeach()

set(zip ${OUT}/${NAME}.zip)
tarvik_pack_stage(${stage} ${zip} ${epoch})
# The check of reproducibility repacks with the same time, should HEAD have moved since.
file(WRITE ${OUT}/CMakeFiles/zip_epoch ${epoch})
tarvik_write_sums(${OUT} ${NAME})
file(REMOVE_RECURSE ${stage})
