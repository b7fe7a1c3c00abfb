# The end-to-end jobs. Paths are relative to tests/e2e.
set(site ${PROJECT_SOURCE_DIR}/samples/site.dxf)

# Options and files.
uv_add_job_test(help ARGS --help EXPECT_STDOUT "Exit status:")
uv_add_job_test(usage_error ARGS --bogus WILL_FAIL EXIT_CODE 2 EXPECT_STDERR "unknown option --bogus")
uv_add_job_test(missing_drawing OPEN drawings/no-such.dxf JOB jobs/nothing.job ARGS --save out.dxf
                WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "no-such\\.dxf.*No such file" CHECK checks/nothing_written.py)
uv_add_job_test(missing_job JOB jobs/no-such.job WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "no-such\\.job")
uv_add_job_test(open_missing_in_job JOB jobs/open_missing.job WILL_FAIL EXIT_CODE 3
                EXPECT_STDERR "open_missing\\.job:2: .*nowhere\\.dxf" CHECK checks/nothing_written.py)
uv_add_job_test(bad_module JOB jobs/nothing.job ARGS --load ${UV_E2E_DIR}/jobs/nothing.job
                WILL_FAIL EXIT_CODE 3 EXPECT_STDERR "cannot load module")

# Script errors name the line.
uv_add_job_test(bad_line JOB jobs/bad_line.job WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "bad_line\\.job:4: cannot read .view 10,10." CHECK checks/nothing_written.py)
uv_add_job_test(unknown_command JOB jobs/unknown_command.job ARGS --save out.dxf WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "unknown_command\\.job:3: unknown command .NOSUCHCMD.")
uv_add_job_test(picture_outside_dialog JOB jobs/picture_outside_dialog.job WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "picture_outside_dialog\\.job:2: nothing asked for this answer: picture")
uv_add_job_test(answer_first JOB jobs/answer_first.job WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "answer_first\\.job:2: nothing asked for this answer: point 1,2")

# Drawings in and out, pictures.
uv_add_job_test(round_trip OPEN ${site} JOB jobs/nothing.job ARGS --save out.dxf --quiet
                CHECK checks/round_trip.py)
uv_add_job_test(kept_kinds OPEN drawings/kept_kinds.dxf JOB jobs/nothing.job ARGS --save out.dxf
                CHECK checks/kept_kinds.py)
uv_add_job_test(kept_kinds_picture OPEN drawings/kept_kinds.dxf JOB jobs/kept_kinds_picture.job
                ARGS --render-size 600x400 CHECK checks/kept_kinds_picture.py)
uv_add_job_test(render OPEN ${site} JOB jobs/render.job ARGS --render out.png --render-size 640x480
                CHECK checks/render.py)
uv_add_job_test(view OPEN ${site} JOB jobs/view.job ARGS --render-size 320x240 CHECK checks/view.py)
uv_add_job_test(layers OPEN ${site} JOB jobs/layers.job ARGS --save out.dxf --quiet CHECK checks/layers.py)
# --times: a line for the start, each step of the job, --save and the whole run.
uv_add_job_test(times OPEN ${site} JOB jobs/layers.job ARGS --save out.dxf --quiet --times
                EXPECT_STDOUT "^times: start  cpu [0-9.]+ s  wall [0-9.]+ s  peak [0-9]+ MB  now [0-9]+ MB.times: line 4: layer .*times: --save  cpu.*times: total  cpu [0-9.]+ s")
uv_add_job_test(layer_missing OPEN ${site} JOB jobs/layer_missing.job WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "layer_missing\\.job:2: the drawing has no layer .NO_SUCH_LAYER.")

# A module: commands with prompts, entry functions, load and unload.
uv_add_job_test(mark_module JOB jobs/mark_module.job.in CHECK checks/mark_module.py
                EXPECT_STDOUT "Model space holds 3 entities")
uv_add_job_test(wrong_answer JOB jobs/wrong_answer.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "wrong_answer\\.job:4: the program asked for a point .*First point.* but the script says: click IDOK")
uv_add_job_test(missing_answer JOB jobs/missing_answer.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "missing_answer\\.job:3: the script ended, but the program asked for a point")
uv_add_job_test(leftover_answer JOB jobs/leftover_answer.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "leftover_answer\\.job:5: nothing asked for this answer: point 20,0")
uv_add_job_test(unloaded_command JOB jobs/unloaded_command.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "unloaded_command\\.job:3: unknown command .MARKLINE.")
uv_add_job_test(no_entry_function JOB jobs/no_entry_function.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "no_entry_function\\.job:3: no loaded module exports CVantorUIInterface::CallNothing")
uv_add_job_test(entry_argument JOB jobs/entry_argument.job.in WILL_FAIL EXIT_CODE 1
                EXPECT_STDERR "entry_argument\\.job:3: CVantorUIInterface::CallMark takes a text")

# The editor's line-drawing test module, when it is built.
if(TARGET ed_line_module)
  uv_add_job_test(line_module JOB jobs/line_module.job.in CHECK checks/line_module.py
                  EXPECT_STDOUT "unloaded module .ed_line_module.so.")
endif()

# The module UIVantor2: its commands and entry functions, with the entry
# functions' trace written to the work folder.
if(TARGET UIVantor2)
  uv_add_job_test(uivantor2_commands JOB jobs/uivantor2_commands.job.in CHECK checks/uivantor2_trace.py
                  EXPECT_STDOUT "unloaded module .UIVantor2\\.so.")
  set_tests_properties(e2e_uivantor2_commands PROPERTIES ENVIRONMENT "KVLX_LOGGING=1;KVLX_LOG_FILE=trace.log")
  uv_add_job_test(uivantor2_unloaded JOB jobs/uivantor2_unloaded.job.in WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "uivantor2_unloaded\\.job:4: unknown command .SHOW.")
  uv_add_job_test(dialog_picture JOB jobs/dialog_picture.job.in CHECK checks/dialog_picture.py)
  uv_add_job_test(uivantor2_help JOB jobs/uivantor2_help.job.in WILL_FAIL EXIT_CODE 1
                  EXPECT_STDERR "uivantor2_help\\.job:4: .*IDHELP")
endif()

# The jobs of each subsystem live in suites/<subsystem>.cmake.
file(GLOB uv_e2e_suites CONFIGURE_DEPENDS ${UV_E2E_DIR}/suites/*.cmake)
foreach(suite IN LISTS uv_e2e_suites)
  include(${suite})
endforeach()
