# Writes OUT/NAME.zip and OUT/SHA256SUMS: a folder NAME holding TARVIK and NORLAK stripped of their
# symbols, and every file of SOURCE_DIR/package/ (README.txt, examples/) with CR LF line ends,
# README.txt with the recipes put in.
# The same inputs give the same bytes on any machine: no link time in the executables, every entry
# dated at the commit's time (or SOURCE_DATE_EPOCH), in UTC, in a fixed order, with fixed
# permissions and no owner.
# Usage: cmake -DTARVIK=... -DNORLAK=... -DOUT=... -DNAME=... -DSTRIP=... -DSOURCE_DIR=... -P make_zip.cmake
cmake_minimum_required(VERSION 3.25)

if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    # Outside a clone: the earliest time a ZIP entry can hold.
    if(NOT status EQUAL 0 OR epoch STREQUAL "")
        set(epoch 315532800)
    endif()
endif()

set(stage ${OUT}/zip-stage)
set(top ${stage}/${NAME})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${top})

# strip writes the time of day into the PE header unless SOURCE_DATE_EPOCH says otherwise; 0 is
# what the linker writes too.
foreach(program IN ITEMS TARVIK NORLAK)
    get_filename_component(file_name ${${program}} NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
        ${STRIP} -o ${top}/${file_name} ${${program}} COMMAND_ERROR_IS_FATAL ANY)
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

file(GLOB_RECURSE entries RELATIVE ${stage} ${stage}/*)
list(SORT entries)
foreach(entry IN LISTS entries)
    file(CHMOD ${stage}/${entry} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
execute_process(COMMAND touch -d @${epoch} ${entries} WORKING_DIRECTORY ${stage}
    COMMAND_ERROR_IS_FATAL ANY)

# -X leaves out owner and extra time fields, -D directory entries; ZIP times are local times.
set(zip ${OUT}/${NAME}.zip)
file(REMOVE ${zip}.part)
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC0 zip -X -D -q ${zip}.part ${entries}
    WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${zip}.part ${zip})
# The check of reproducibility repacks with the same time, should HEAD have moved since.
file(WRITE ${OUT}/CMakeFiles/zip_epoch ${epoch})
file(SHA256 ${zip} sum)
file(WRITE ${OUT}/SHA256SUMS "${sum}  ${NAME}.zip\n")
file(REMOVE_RECURSE ${stage})
