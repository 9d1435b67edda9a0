# Test images for the overlay, drawn by ffmpeg at build time into the build folder: one
# 320 x 240 picture of four solid quadrants (red, green / blue, white) as BMP, PNG and JPEG.
find_program(CORVANE_FFMPEG ffmpeg REQUIRED)
set(CORVANE_TEST_IMAGE_DIR ${CMAKE_BINARY_DIR}/test-images)

# The images are drawn once, by the first folder that asks for them; every test target that
# uses them depends on that one drawing.
function(corvane_test_images target)
  set(dir ${CORVANE_TEST_IMAGE_DIR})
  if(NOT TARGET corvane_test_image_files)
    set(quadrants "color=c=red:s=320x240,format=rgb24,drawbox=x=160:y=0:w=160:h=120:c=0x00FF00:t=fill,drawbox=x=0:y=120:w=160:h=120:c=0x0000FF:t=fill,drawbox=x=160:y=120:w=160:h=120:c=white:t=fill")
    set(images ${dir}/quadrants.bmp ${dir}/quadrants.png ${dir}/quadrants.jpg)
    add_custom_command(OUTPUT ${images}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${CORVANE_FFMPEG} -v error -y -f lavfi -i ${quadrants} -frames:v 1 -pix_fmt bgr24 ${dir}/quadrants.bmp
      COMMAND ${CORVANE_FFMPEG} -v error -y -i ${dir}/quadrants.bmp -pix_fmt rgb24 ${dir}/quadrants.png
      COMMAND ${CORVANE_FFMPEG} -v error -y -i ${dir}/quadrants.bmp -q:v 2 ${dir}/quadrants.jpg
      COMMENT "Drawing the overlay test images"
      VERBATIM)
    add_custom_target(corvane_test_image_files DEPENDS ${images})
  endif()
  add_dependencies(${target} corvane_test_image_files)
  # Wine sees the build folder through drive Z:.
  target_compile_definitions(${target} PRIVATE CORVANE_TEST_IMAGE_DIR="Z:${dir}")
endfunction()
