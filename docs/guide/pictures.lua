-- Pictures of the guides: every one must be a screenshot under docs/images, taken
-- from the program by make demo, so that the guides always show the program as it
-- is. A missing picture stops the build and names the file; the list of pictures
-- used goes to $GUIDE_PICTURES for the build's dependency file.
local used = {}
local missing = {}

local function exists(path)
  local f = io.open(path, "rb")
  if f then f:close() return true end
  return false
end

function Image(img)
  local src = img.src
  if not src:match("^%.%./images/[%w%-_]+%.png$") then
    io.stderr:write("build-guide: picture outside docs/images or not a PNG: " .. src .. "\n")
    os.exit(1)
  end
  local path = pandoc.path.join({ pandoc.path.directory(PANDOC_STATE.input_files[1]), src })
  table.insert(used, path)
  if not exists(path) then table.insert(missing, src) end
  return img
end

function Pandoc(doc)
  if #missing > 0 then
    for _, src in ipairs(missing) do
      io.stderr:write("build-guide: " .. PANDOC_STATE.input_files[1] .. " shows " .. src ..
                      ", which does not exist\n")
    end
    os.exit(1)
  end
  local list = os.getenv("GUIDE_PICTURES")
  if list then
    local f = assert(io.open(list, "w"))
    for _, path in ipairs(used) do f:write(path, "\n") end
    f:close()
  end
  return doc
end
