"""The exception the library's failures raise."""


class ScoreError(ValueError):
    """The library refused a value: ``status`` is its status name
    (``"CCLP_STATUS_Y0_BELOW_Y1"``), ``code`` the 32-bit status."""

    def __init__(self, message, status="", code=0):
        super().__init__(message)
        self.status = status
        self.code = code
