# Writes OUT/NAME.zip, the Windows test package, and OUT/SHA256SUMS for it and the product: a
# folder NAME holding run-tests.cmd, product/ (the product ZIP's own folder, unpacked), tests/
# (PROGRAMS stripped of their symbols) and tests/data/ (DATA), the texts with CR LF line ends.
# Reproducible as the product ZIP is (cmake/zip_common.cmake).
# Usage: cmake -DPRODUCT_NAME=... -DNAME=... -DOUT=... -DSTRIP=... -DSOURCE_DIR=...
#            -DPROGRAMS=a.exe|b.exe -DDATA=x.txt|y.txt -DRUN_TESTS=run-tests.cmd -P make_test_zip.cmake
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/zip_common.cmake)
tarvik_zip_epoch(epoch ${SOURCE_DIR})

set(stage ${OUT}/test-zip-stage)
set(top ${stage}/${NAME})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${top}/tests/data)

execute_process(COMMAND unzip -q ${OUT}/${PRODUCT_NAME}.zip -d ${stage}/unpacked
    COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${stage}/unpacked/${PRODUCT_NAME} ${top}/product)
file(REMOVE_RECURSE ${stage}/unpacked)

string(REPLACE "|" ";" programs "${PROGRAMS}")
foreach(program IN LISTS programs)
    get_filename_component(file_name ${program} NAME)
    tarvik_strip_to(${program} ${top}/tests/${file_name} ${STRIP})
endforeach()

string(REPLACE "|" ";" data "${DATA}")
foreach(text IN LISTS data RUN_TESTS)
    file(READ ${text} content)
    string(REPLACE "\r\n" "\n" content "${content}")
    string(REPLACE "\n" "\r\n" content "${content}")
    get_filename_component(file_name ${text} NAME)
    if(text STREQUAL RUN_TESTS)
        file(WRITE ${top}/${file_name} "${content}")
    else()
        file(WRITE ${top}/tests/data/${file_name} "${content}")
    endif()
endforeach()

tarvik_pack_stage(${stage} ${OUT}/${NAME}.zip ${epoch})
tarvik_write_sums(${OUT} ${PRODUCT_NAME})
file(REMOVE_RECURSE ${stage})
